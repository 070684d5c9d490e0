// Varko 2000 — the type name the desktop shows for a file or folder.
#include "platform/shelltype.h"

#include <QFileInfo>
#include <QMimeDatabase>

QString shellTypeName(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return kFolderTypeName;
    if (!info.exists())
        return {};
    // The database is cheap to construct: it shares one loaded copy per process.
    return QMimeDatabase().mimeTypeForFile(info).comment();
}
