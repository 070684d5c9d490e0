// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — where the program keeps its own files.
#include "platform/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString chooseDataFolder()
{
    const QString home = qEnvironmentVariable("VARKO_HOME");
    if (!home.isEmpty())
        return home;
    if (QCoreApplication::instance()) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        if (QFileInfo(programFolder).isWritable())
            return programFolder;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/varko2000");
}

} // namespace

QString dataFolder()
{
    const QString folder = QDir::cleanPath(chooseDataFolder());
    QDir().mkpath(folder);
    return folder;
}

QString dataFile(const QString &name)
{
    return dataFolder() + u'/' + name;
}
