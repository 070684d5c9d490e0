// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — removing the work folders that runs left behind.
#include "engine/leftoverfolders.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isOwnRealFolder(const QString &path)
{
    struct stat info
    {
    };
    // lstat: a link named like a work folder is not followed.
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid == ::getuid();
}

} // namespace

int removeLeftoverWorkFolders(const QString &tempFolder)
{
    const QDir dir(tempFolder);
    int removed = 0;
    const QStringList names =
        dir.entryList({QStringLiteral("~Varko??")},
                      QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot | QDir::CaseSensitive);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        // removeRecursively deletes links inside without following them.
        if (isOwnRealFolder(path) && QDir(path).removeRecursively())
            ++removed;
    }
    return removed;
}
