// Varko 2000 — program entry.
#include "platform/datafolder.h"
#include "app/headlesspack.h"
#include "app/headlesstest.h"
#include "store/optionsfile.h"
#include "version.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const QString kVersion = QStringLiteral("Varko 2000 v" VARKO_VERSION);

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Norwen"));
    QCoreApplication::setApplicationName(QStringLiteral("Varko 2000"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QStringList args = app.arguments().mid(1);
    if (args == QStringList{QStringLiteral("--version")}) {
        out << kVersion << Qt::endl;
        return 0;
    }
    // Headless packing runs on this core application: no display is needed.
    if (isPackRequest(args))
        return runHeadlessPack(args);
    if (isTestRequest(args))
        return runHeadlessTest(args);
    // The one plain argument the program takes is a rip script; an unknown
    // option is a mistake, not a script name.
    if (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        err << "varko2000: unknown option " << args.first() << Qt::endl
            << "usage: varko2000 [--version | --pack SCRIPT.v2k --name BASE | SCRIPT.v2k]" << Qt::endl;
        return 2;
    }

    // The main window arrives later; until then a start makes sure the
    // settings file is complete, as the window's start-up does.
    RipSettings settings;
    const StoreResult loaded = OptionsFile(dataFile(QStringLiteral("options.ini"))).loadOptions(settings, nullptr);
    if (!loaded.ok)
        err << "varko2000: " << loaded.detail << Qt::endl;
    out << kVersion << Qt::endl;
    return loaded.ok ? 0 : 1;
}
