// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — files on the clipboard in the form desktop file managers paste.
#pragma once

#include <QStringList>

class QMimeData;

/** What a clipboard holds for a paste: the files and whether they were cut. */
struct ClipboardFiles
{
    QStringList paths;
    bool cut = false;
};

/**
 * The clipboard contents (and a drag's) for `paths`: `text/uri-list`, the copied-files
 * marker GNOME, Xfce and others read (`x-special/gnome-copied-files`, a
 * "copy" or "cut" line, then one URL a line) and KDE's cut marker.
 */
QMimeData *fileClipboardData(const QStringList &paths, bool cut);

/**
 * The local files on a clipboard, whoever put them there: the uri list, or
 * else the copied-files lines (also as GNOME puts them in plain text). A
 * cut is known from either marker; without one the files count as copied.
 */
ClipboardFiles clipboardFiles(const QMimeData *data);
