// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — free space of the file system that holds a folder.
#include "platform/diskspace.h"

#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>

#include <limits>

std::optional<qint64> freeBytes(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return std::nullopt;
    // Asked of the folder itself: a mount table without the root (a chroot,
    // a container) leaves nothing to look the folder up in.
    struct statvfs fs
    {
    };
    if (::statvfs(QFile::encodeName(folder).constData(), &fs) != 0)
        return std::nullopt;
    // What the user may write, not the blocks kept for root.
    const unsigned long long bytes = static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize;
    return qint64(std::min<unsigned long long>(bytes, std::numeric_limits<qint64>::max()));
}
