// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the PAR2 files beside a set: finding them and what they say of the set.
#include "engine/setrecovery.h"

#include "par2/par2reader.h"
#include "par2/par2verify.h"

#include <QFileInfo>

QStringList recoveryFilesAt(const QString &path)
{
    const QFileInfo info(path);
    const QString base = par2BaseName(info.fileName());
    if (!base.isEmpty())
        return par2SetFiles(info.absolutePath(), base);
    if (const QStringList files = par2SetFiles(info.absolutePath(), info.fileName()); !files.isEmpty())
        return files;
    const SetLocation location = locateSet(path);
    return location.problem.isEmpty() ? par2SetFiles(location.folder, location.baseName) : QStringList();
}

QString recoveryVerdict(const SetLocation &location)
{
    const QStringList files = par2SetFiles(location.folder, location.baseName);
    if (files.isEmpty())
        return {};
    const Par2Set set = readPar2Set(files);
    if (!set.error.isEmpty())
        return QStringLiteral("not repairable: %1 holds %2").arg(set.displayName(), set.error);
    const Par2Verification verification = verifyPar2Set(set);
    if (verification.isWhole())
        return QStringLiteral("%1 finds every file it protects whole").arg(set.displayName());
    return QStringLiteral("%1 with %2 (%3)")
        .arg(verification.isRepairable() ? QStringLiteral("repairable") : QStringLiteral("not repairable"),
             set.displayName(), par2BlocksText(verification));
}
