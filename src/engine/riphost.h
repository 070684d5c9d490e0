// Varko 2000 — what a rip run asks of the window it runs behind.
#pragma once

#include "engine/message.h"
#include "store/settingsschema.h"

#include <QString>

/**
 * Everything the rip run shows or asks goes through here: the main window
 * implements it, the headless runner and the tests implement it with
 * fixed answers. All calls come on the thread that runs the run.
 */
class RipHost
{
public:
    virtual ~RipHost() = default;

    /** A message box; returns the button pressed. */
    virtual Message::Answer ask(const Message &message) = 0;
    /** The base-name dialog with this length limit; the empty text means cancelled. */
    virtual QString askBaseName(int maxLength) = 0;

    /** The "Queue totals" panel: read once at the start, restored at every end. */
    virtual QString totalsPanelText() const = 0;
    virtual void setTotalsPanelText(const QString &text) = 0;
    /** The progress bar: a value from 0 to 100 and the text drawn on it. */
    virtual void setProgress(int value, const QString &text) = 0;
    /** The progress bar's text alone. */
    virtual void setProgressText(const QString &text) = 0;

    /** The hourglass (true) or the normal pointer. */
    virtual void setBusyPointer(bool busy) = 0;
    /** The pointer to the middle of the main window, 30 pixels down. */
    virtual void centrePointer() = 0;
    /** No item of the file browser stays selected. */
    virtual void deselectBrowser() = 0;

    /** A setting the run changed (`savepaths`, `dnumber`, `rarace`): its mirrors follow. */
    virtual void settingChanged(SettingKey key) = 0;

    /**
     * Out of the way while the archiver works: with `translucent` (zipping on
     * and `layer` 1) and window opacity available, other windows translucent
     * and this one hidden; otherwise minimised. The window state is saved.
     */
    virtual void stepAside(bool translucent) = 0;
    /** Back after the archiver, undoing exactly what `stepAside` did. */
    virtual void stepBack(bool translucent) = 0;
    /** After a zip error: the main window shown, and opaque windows again when `opaque`. */
    virtual void showAfterZipError(bool opaque) = 0;

    virtual void playCompletionSound() = 0;
    /** Lets pending window events run (with the archiver's wait, the points where a stop request can arrive). */
    virtual void processEvents() = 0;
    /**
     * A stop from outside the window (a signal to the program), asked while
     * the archiver works and while a zip is written; the window stops a run
     * by clearing `RipInProgress` instead.
     */
    virtual bool stopRequested() const { return false; }
};
