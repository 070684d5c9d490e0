// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — names the browser gives to what it makes: numbered when taken.
#include "browser/browsernames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString freeName(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    QString candidate = name;
    for (int number = 2; taken(dir.filePath(candidate)); ++number)
        candidate = QStringLiteral("%1 (%2)").arg(name).arg(number);
    return candidate;
}

QString makeLink(const QString &path)
{
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    const QString link = QDir(folder).filePath(freeName(folder, QStringLiteral("Link to ") + target.fileName()));
    return QFile::link(target.fileName(), link) ? link : QString();
}
