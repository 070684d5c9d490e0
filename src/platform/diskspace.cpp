// Varko 2000 — free space of the file system that holds a folder.
#include "platform/diskspace.h"

#include <QFileInfo>
#include <QStorageInfo>

std::optional<qint64> freeBytes(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return std::nullopt;
    const QStorageInfo storage(folder);
    if (!storage.isValid() || !storage.isReady())
        return std::nullopt;
    return storage.bytesAvailable();
}
