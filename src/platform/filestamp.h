// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — telling one version of a file from another without reading it.
#pragma once

#include <QString>

/**
 * What changes when a file is written, replaced or removed: its device and
 * inode, size, modification time and status-change time (in nanoseconds).
 * The last cannot be set back, so a rewrite that restores the old time still
 * shows. A path that does not stat has the empty stamp.
 */
struct FileStamp
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0;
    qint64 statusChanged = 0;

    bool operator==(const FileStamp &) const = default;
};

/** The stamp of the file at `path`, through a symbolic link. */
FileStamp fileStamp(const QString &path);
