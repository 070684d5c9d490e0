// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the type name the desktop shows for a file or folder.
#include "platform/shelltype.h"

#include <QFileInfo>
#include <QMimeDatabase>

QString fileTypeName(const QString &fileName)
{
    // By name, as a file manager names types: no file is opened, and the
    // browser's list and the queue agree on every file.
    const QFileInfo info(fileName);
    // The database is cheap to construct: it shares one loaded copy per process.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    if (type.isValid() && !type.isDefault() && !type.comment().isEmpty())
        return type.comment();
    const QString extension = info.suffix();
    return extension.isEmpty() ? QStringLiteral("File") : extension.toUpper() + QStringLiteral(" file");
}

QString shellTypeName(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return kFolderTypeName;
    if (!info.exists())
        return {};
    return fileTypeName(path);
}
