// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what a rip run needs from whoever started it: answers, a place to report, a window to arrange.
#pragma once

#include "engine/message.h"
#include "engine/runprogress.h"
#include "store/settingsschema.h"

#include <QString>

#include <concepts>

/**
 * The run's questions: the main window asks the person, headless packing
 * answers from its command line, tests from a script. All calls of the
 * three interfaces below come on the thread that runs the run.
 */
class RunQuestions
{
public:
    virtual ~RunQuestions() = default;

    /** A message box; returns the button pressed. */
    virtual Message::Answer ask(const Message &message) = 0;
    /** The base-name dialog with this length limit; the empty text means cancelled. */
    virtual QString askBaseName(int maxLength) = 0;
};

/** Where the run tells how far it got, and where a stop reaches it. */
class RunReport
{
public:
    enum class Note { Remark, Failure };

    virtual ~RunReport() = default;

    /** The "Queue totals" panel: read once at the start, restored at every end. */
    virtual QString totalsPanelText() const = 0;
    virtual void setTotalsPanelText(const QString &text) = 0;
    /** The progress bar: a value from 0 to 100 and the text drawn on it. */
    virtual void setProgress(int value, const QString &text) = 0;

    /** Every reading of the run's progress, a few times a second; the bar and counter get theirs as well. */
    virtual void progressed(const RunProgress &) { }

    /** Lets pending events run (with the archiver's wait, the points where a stop request can arrive). */
    virtual void processEvents() = 0;
    /**
     * A stop from outside the window (a signal to the program), asked while
     * the archiver works and while a zip is written; the window stops a run
     * by clearing `RipInProgress` instead, so a host without signals has none.
     */
    virtual bool stopRequested() const { return false; }

    /**
     * A line about a step around the run (the work folder, the .sfv, the
     * test): a `Failure` when the set lacks what was asked for, a `Remark`
     * when a step had nothing to do or did not matter to the set.
     */
    virtual void note(const QString &text, Note kind) = 0;
};

/**
 * The main window around the run: the pointer, the browser, its menus'
 * mirrors of the settings, getting out of the way of the archiver, the
 * sound. A run without a window has none of it.
 */
class RunPresentation
{
public:
    virtual ~RunPresentation() = default;

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

    /** The progress bar at rest after a complete run, showing the set's estimate again. */
    virtual void showEstimate(const QString &text) = 0;
    virtual void playCompletionSound() = 0;
    /** After the run, whichever way it ended: the normal pointer and the window back in its place. */
    virtual void runEnded() = 0;
};

/** The three sides of a run's host; `presentation` is null without a window. */
struct RipHost
{
    RunQuestions &questions;
    RunReport &report;
    RunPresentation *presentation = nullptr;

    /** One object that is questions and report, and presentation when it derives from it. */
    template <typename Host>
    requires std::derived_from<Host, RunQuestions> && std::derived_from<Host, RunReport>
    RipHost(Host &host) // implicit: a host object is handed to the run as it is
        : questions(host)
        , report(host)
    {
        if constexpr (std::derived_from<Host, RunPresentation>)
            presentation = &host;
    }
};
