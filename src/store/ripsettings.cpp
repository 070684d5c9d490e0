// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the settings record: every packing and view setting the program keeps.
#include "store/ripsettings.h"

#include "platform/diskspace.h"

#include <QDir>

QString RipSettings::defaultTempFolder()
{
    return folderWithoutSlash(QDir::tempPath());
}

QString RipSettings::defaultRipToDir()
{
    return folderWithSlash(QDir::homePath());
}

QString folderWithSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString folderWithoutSlash(const QString &folder)
{
    QString trimmed = folder;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    return trimmed;
}

std::optional<qint64> tempFolderFreeBytes(const RipSettings &settings)
{
    return freeBytes(settings.tdrive);
}
