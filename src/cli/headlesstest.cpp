// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — testing a finished set from the command line: varko2000 --test PATH.
#include "cli/headlesstest.h"

#include "cli/headlesspack.h"
#include "engine/settest.h"

#include <QTextStream>

namespace {

const char *const kUsage = "usage: varko2000 --test ZIP | SET.sfv | FOLDER/BASE";

} // namespace

bool isTestRequest(const QStringList &arguments)
{
    return arguments.value(0) == u"--test";
}

int runHeadlessTest(const QStringList &arguments)
{
    if (arguments.size() != 2) {
        QTextStream(stderr) << kUsage << Qt::endl;
        return BadArguments;
    }
    return testSetAt(arguments.at(1));
}

int testSetAt(const QString &path, bool toStandardError)
{
    QTextStream out(toStandardError ? stderr : stdout);
    QTextStream err(stderr);
    const SetLocation location = locateSet(path);
    if (!location.problem.isEmpty()) {
        err << "varko2000: " << location.problem << Qt::endl;
        return BadArguments;
    }
    SetTest test(location);
    test.setZipHandler([&out](const ZipCheck &zip, int, int) { out << zipCheckLine(zip) << Qt::endl; });
    const SetTestReport report = test.run();
    for (const QString &fault : report.setFaults)
        out << fault << Qt::endl;
    out << setTestVerdict(location, report) << Qt::endl;
    if (!report.recovery.isEmpty())
        out << report.recovery << Qt::endl;
    return report.faultCount() == 0 ? PackedSet : RunEnded;
}
