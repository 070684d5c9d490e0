// Varko 2000 — testing a finished set from the command line: varko2000 --test PATH.
#include "app/headlesstest.h"

#include "app/headlesspack.h"
#include "engine/settest.h"

#include <QTextStream>

namespace {

const char *const kUsage = "usage: varko2000 --test ZIP | SET.sfv | FOLDER/BASE";

QString zipLine(const ZipCheck &zip)
{
    if (zip.faults.isEmpty())
        return zip.name + QStringLiteral(": ok");
    return zip.name + QStringLiteral(": ") + zip.faults.join(QStringLiteral("; "));
}

QString counted(qsizetype n, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? one : many);
}

QString verdict(const SetLocation &location, const SetTestReport &report)
{
    const QString size = counted(qsizetype(report.zips.size()), QStringLiteral("zip"), QStringLiteral("zips")) + QStringLiteral(", ")
                         + counted(report.archiveFiles, QStringLiteral("archived file"), QStringLiteral("archived files"))
                         + QStringLiteral(", %1 bytes").arg(report.zipBytes);
    const int faults = report.faultCount();
    if (faults == 0)
        return QStringLiteral("%1: the set is whole (%2)").arg(location.baseName, size);
    return QStringLiteral("%1: %2 found (%3)")
        .arg(location.baseName, counted(faults, QStringLiteral("fault"), QStringLiteral("faults")), size);
}

} // namespace

bool isTestRequest(const QStringList &arguments)
{
    return arguments.value(0) == u"--test";
}

int runHeadlessTest(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << kUsage << Qt::endl;
        return BadArguments;
    }
    const SetLocation location = locateSet(arguments.at(1));
    if (!location.problem.isEmpty()) {
        err << "varko2000: " << location.problem << Qt::endl;
        return BadArguments;
    }
    SetTest test(location);
    test.setZipHandler([&out](const ZipCheck &zip, int, int) { out << zipLine(zip) << Qt::endl; });
    const SetTestReport report = test.run();
    for (const QString &fault : report.setFaults)
        out << fault << Qt::endl;
    out << verdict(location, report) << Qt::endl;
    return report.faultCount() == 0 ? PackedSet : RunEnded;
}
