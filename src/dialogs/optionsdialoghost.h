// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what the options dialog asks of the main window behind it.
#pragma once

#include "engine/message.h"
#include "store/settingsschema.h"

#include <QString>

/**
 * The main window as the options dialog sees it. The dialog edits the live
 * `RipSettings` and the queue rows itself (through the placement rules); for
 * everything the window shows of a setting it calls `mirrorSetting` with
 * `Origin::OptionsFile` right after the setting changed, the same call the
 * start-up read makes, so one mirror serves both. What each key must bring
 * along on the window:
 *
 * - `Rarace`: archive-type panel, both Rar/Ace entry pairs, the "In Rar"/"In
 *   Ace" caption of the queue menu, the mode picture.
 * - `Zip`: zip panel, the "Zip" and "Into Zip's" marks, the zip menus
 *   enabled with it, the mode picture.
 * - `Savepaths`: paths panel and both "Include paths" entries.
 * - `Dnumber`, `Zcomment`, `Nfo1st`: their menu marks.
 * - `Size`: the window's own step follows, with its caption, estimate and
 *   over-99 state (the window's step rule shows what the dialog's twin does).
 * - `Riptodir`: the rip-to panel.
 * - `View`, `Sort`, `Fonts`, `Racomp`, `Zipcomp`: sent only when the dialog
 *   closes (every way it closes): the browser's view, sort and fonts, the
 *   queue's font, and each with its menu marks.
 * - the others (`Warnings`, `Sound`, `Layer`, `Tdrive`, `Comment`): nothing to show.
 */
class OptionsDialogHost : public SettingsMirrors
{
public:
    /** The browser list's view style as the View menu has it checked: 0, 2 or 3. */
    virtual int browserView() const = 0;
    /** The zip comment text the next rip runs attach (held in memory only). */
    virtual void setZipComment(const QString &text) = 0;
    /** A message box with an OK button. */
    virtual void showMessage(const Message &message) = 0;
};
