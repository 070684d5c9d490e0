// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — program entry.
#include "app/singleinstance.h"
#include "cli/headlesspack.h"
#include "cli/headlessrepair.h"
#include "cli/headlesstest.h"
#include "dialogs/messagebox.h"
#include "platform/datafolder.h"
#include "platform/stopsignals.h"
#include "version.h"
#include "window/mainwindow.h"
#include "window/twipslayout.h"

#include <QApplication>
#include <QScreen>
#include <QTextStream>

namespace {

const QString kVersion = QStringLiteral("Varko 2000 v" VARKO_VERSION);

const char kUsage[] =
    "usage: varko2000                      open the main window\n"
    "       varko2000 [!]SCRIPT.v2k        open the main window with a rip script\n"
    "       varko2000 --pack SCRIPT.v2k --name BASE [--replace] [--sfv] [--par2 PERCENT] [--test]\n"
    "                 [--progress=json | --quiet]\n"
    "                                      pack a rip script without a window; its progress\n"
    "                                      on standard error, or as JSON lines on standard output\n"
    "       varko2000 --test ZIP|SFV|FOLDER/BASE\n"
    "                                      check a packed set, every byte of it\n"
    "       varko2000 --repair ZIP|PAR2|FOLDER/BASE\n"
    "                                      rebuild damaged or missing zips from the set's PAR2 files\n"
    "       varko2000 --version            print the version\n"
    "       varko2000 --help               print this text\n";

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Norwen"));
    QCoreApplication::setApplicationName(QStringLiteral("Varko 2000"));
    // The menu entry's name, by which the desktop shows the window with its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VARKO_APP_ID));
}

// Options that need no display run on a core application.
int runWithoutWindow(int argc, char *argv[], int &handled)
{
    QCoreApplication app(argc, argv);
    nameApplication();
    const QStringList args = app.arguments().mid(1);
    handled = 1;
    if (args == QStringList{QStringLiteral("--version")}) {
        QTextStream(stdout) << kVersion << Qt::endl;
        return 0;
    }
    if (args == QStringList{QStringLiteral("--help")}) {
        QTextStream(stdout) << kUsage;
        return 0;
    }
    if (isPackRequest(args))
        return runHeadlessPack(args);
    if (isTestRequest(args))
        return runHeadlessTest(args);
    if (isRepairRequest(args))
        return runHeadlessRepair(args);
    // The one plain argument the program takes is a rip script; an unknown
    // option is a mistake, not a script name.
    if (args.size() > 1 || (!args.isEmpty() && args.first().startsWith(QStringLiteral("--")))) {
        QTextStream(stderr) << "varko2000: unknown option " << args.first() << Qt::endl << kUsage;
        return 2;
    }
    handled = 0;
    return 0;
}

// Without a display Qt would abort with a core dump; say what does work there.
bool reportMissingDisplay()
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(name))
            return false;
    }
    QTextStream(stderr) << "varko2000: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set);"
                           " --pack, --test and --repair work without one"
                        << Qt::endl;
    return true;
}

ScreenTwips screenTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(800, 600);
    return {size.width() * kTwipsPerPixel, size.height() * kTwipsPerPixel};
}

} // namespace

int main(int argc, char *argv[])
{
    int handled = 0;
    const int status = runWithoutWindow(argc, argv, handled);
    if (handled)
        return status;
    if (reportMissingDisplay())
        return 2;

    QApplication app(argc, argv);
    nameApplication();
    app.setWindowIcon(QIcon(QStringLiteral(":/app/icons/varko2000.svg")));
    SingleInstance instance;
    if (!instance.claim())
        return 0; // the running program came forward
    if (QCoreApplication::applicationDirPath() == u"/") {
        showMessage(nullptr,
                    {QStringLiteral("Varko 2000 can NOT be run from a root directory"),
                     QStringLiteral("Varko 2000 Error"), Message::Icon::Critical, Message::Buttons::Ok});
        return 1;
    }
    MainWindow window;
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    // A stop signal ends a run as Close does, then closes the window through
    // its shutdown; the exit status says which signal it was, as a shell expects.
    StopSignalNotifier stopSignals;
    QObject::connect(&stopSignals, &StopSignalNotifier::stopSignalCaught, &window, [&window](int signal) {
        window.close();
        QCoreApplication::exit(128 + signal);
    });
    window.start({dataFolder(), app.arguments().value(1), screenTwips()});
    const int exitCode = app.exec();
    // A run winding down after the signal may end the loop its own way meanwhile.
    const int signal = caughtStopSignal();
    return signal ? 128 + signal : exitCode;
}
