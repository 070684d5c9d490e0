// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — opening a text file in the user's editor.
#pragma once

#include <QString>

/**
 * Opens `path` in `$VARKO_EDITOR` when it is set (a command line; the path
 * is added as its last argument), otherwise with the desktop's default
 * handler for the file. Does not wait; false when nothing could be started.
 */
bool openInTextEditor(const QString &path);
