// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the message boxes the engine asks the window to show, with their exact texts.
#pragma once

#include "store/storeresult.h"

#include <QString>

/**
 * One message box: text, title, icon and buttons exactly as the user sees
 * them. The engine builds them; the window (or the headless runner) shows
 * them and returns the button pressed.
 */
struct Message
{
    using Icon = MessageIcon;
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    QString text;
    QString title;
    Icon icon = Icon::Exclamation;
    Buttons buttons = Buttons::Ok;

    bool operator==(const Message &) const = default;

    /** The message box of a failed store operation, with an OK button. */
    static Message of(const StoreResult &result);

    static Message noDizInQueue();
    static Message tooManyFiles();
    static Message folderFound();
    static Message zipError(int code);
    static Message queueFileMoved();
    static Message renameNewDiz();
    static Message invalidBaseName();
    /** "NAME and N more zips of this set already exist in FOLDER. Replace them?"; "NAME already exists in FOLDER.
     * Replace it?" when N is 0. */
    static Message replaceZips(const QString &firstName, int more, const QString &folder);
    static bool isReplaceZips(const Message &message);
    /** A run's error other than a zip error, as the run's result words it. */
    static Message runFailed(const QString &text);
};
