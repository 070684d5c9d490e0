// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — repairing a set from its PAR2 files on the command line: varko2000 --repair PATH.
#include "cli/headlessrepair.h"

#include "cli/headlesspack.h"
#include "cli/headlesstest.h"
#include "engine/setrecovery.h"
#include "par2/par2repair.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

const char *const kUsage = "usage: varko2000 --repair ZIP | SET.par2 | FOLDER/BASE";

QString stateText(const Par2FileCheck &file)
{
    if (file.state == Par2FileCheck::State::Missing)
        return QStringLiteral("missing");
    return QStringLiteral("damaged, %1 of %2 blocks bad").arg(file.badSlices()).arg(file.goodSlices.size());
}

/** One repair run's output: the report on standard output, failures on standard error. */
class HeadlessRepair
{
public:
    int run(const QString &path);

private:
    bool repair(const Par2Set &set);
    int testAfter(const Par2Set &set);

    QTextStream m_out{stdout};
    QTextStream m_err{stderr};
};

int HeadlessRepair::run(const QString &path)
{
    const QStringList files = recoveryFilesAt(path);
    if (files.isEmpty()) {
        m_err << "varko2000: no PAR2 files for " << path << Qt::endl;
        return BadArguments;
    }
    const Par2Set set = readPar2Set(files);
    if (!set.error.isEmpty()) {
        m_err << "varko2000: " << set.displayName() << ": " << set.error << Qt::endl;
        return RunEnded;
    }
    m_out << set.displayName() << ": " << set.files.size() << " files, " << set.recovery.size()
          << " recovery blocks in " << set.par2Files.size() << " PAR2 files" << Qt::endl;
    return repair(set) ? testAfter(set) : RunEnded;
}

bool HeadlessRepair::repair(const Par2Set &set)
{
    const Par2Verification verification = verifyPar2Set(set);
    QStringList faulty; // by name, as a listing of the folder has them
    for (const Par2FileCheck &file : verification.files)
        if (file.state != Par2FileCheck::State::Whole)
            faulty << file.name() + QStringLiteral(": ") + stateText(file);
    faulty.sort();
    for (const QString &line : faulty)
        m_out << line << Qt::endl;
    if (verification.isWhole()) {
        m_out << "Every file is whole: nothing to repair" << Qt::endl;
        return true;
    }
    m_out << par2BlocksText(verification) << Qt::endl;
    Par2RepairResult result = repairPar2Set(set, verification);
    result.repaired.sort();
    for (const QString &name : result.repaired)
        m_out << "Repaired " << name << Qt::endl;
    if (!result.error.isEmpty())
        m_err << "varko2000: " << result.error << Qt::endl;
    return result.error.isEmpty();
}

// The PAR2 files may protect more than the zips, or other files altogether: with no set of zips
// beside them, their own check is the verdict.
int HeadlessRepair::testAfter(const Par2Set &set)
{
    const QString base = set.folder + u'/' + par2BaseName(set.displayName());
    if (!locateSet(base).problem.isEmpty())
        return PackedSet;
    return testSetAt(base);
}

} // namespace

bool isRepairRequest(const QStringList &arguments)
{
    return arguments.value(0) == u"--repair";
}

int runHeadlessRepair(const QStringList &arguments)
{
    if (arguments.size() != 2) {
        QTextStream(stderr) << kUsage << Qt::endl;
        return BadArguments;
    }
    return HeadlessRepair().run(arguments.at(1));
}
