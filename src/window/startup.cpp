// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window's start-up: state file, settings, views, captions, scripts.
#include "engine/queue.h"
#include "store/optionsfile.h"
#include "store/setextras.h"
#include "window/mainwindow.h"
#include "window/outcomeline.h"
#include "window/panes.h"
#include "window/splashwindow.h"
#include "window/statuspanels.h"
#include "window/twipslayout.h"
#include "window/viewmenu.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QTextStream>

namespace {

int px(int twips)
{
    return twips / kTwipsPerPixel;
}

} // namespace

void MainWindow::start(const StartOptions &options)
{
    m_dataFolder = options.dataFolder;
    m_screen = options.screen;
    m_layeringAvailable = QGuiApplication::platformName() != u"offscreen";
    if (m_screen.width / kTwipsPerPixel < 650)
        ask({QStringLiteral("Varko 2000 was designed for at least\n800x600 resolution and 16 bit color"),
             QStringLiteral("Varko 2000 notice"), Message::Icon::Warning, Message::Buttons::Ok});

    const WindowPlacement placement = loadWindowStateFile(QDir(m_dataFolder).filePath(QStringLiteral("varko2k.ini")),
                                                          SplashWindow::versionLabel(), 0, m_screen);
    m_browserFolder = QFileInfo(placement.dir).isDir() ? placement.dir : QDir::homePath();
    if (!placement.dirRefused.isEmpty()) {
        QTextStream(stderr) << "varko2000: " << placement.dirRefused << Qt::endl;
        m_outcome->tell(placement.dirRefused, placement.dirRefused + QStringLiteral("; the home folder is shown"));
    }
    // The browser first: the splitter position is set on the panes it keeps.
    installFileBrowser();
    applyPlacement(placement, m_screen);

    const StoreResult loaded =
        OptionsFile(QDir(m_dataFolder).filePath(QStringLiteral("options.ini"))).loadOptions(m_settings, this);
    if (!loaded.ok) {
        QTextStream(stderr) << "varko2000: " << loaded.message << ": " << loaded.detail << Qt::endl;
        // A value refused for its bytes changed what the window starts with: the user hears of it.
        if (loaded.refusedValue)
            ask({loaded.message + QStringLiteral("\n\n") + loaded.detail, loaded.title, loaded.icon,
                 Message::Buttons::Ok});
    }
    m_started = true;
    m_views->applySettings();
    mirrorAllSettings();
    updateModePicture();
    m_panels->setProgressText(QStringLiteral("0%"));
    if (placement.maximize)
        setWindowState(windowState() | Qt::WindowMaximized);

    m_scripts->loadRecent();
    action(Command::WriteSfv)->setChecked(SetExtras::writeSfv());
    action(Command::WritePar2)->setChecked(SetExtras::writePar2());
    if (options.scriptArgument.isEmpty()) {
        m_scripts->showRecent();
        show();
        refreshTotals();
    } else {
        startWithScript(options.scriptArgument);
    }
}

void MainWindow::applyPlacement(const WindowPlacement &placement, ScreenTwips screen)
{
    if (!placement.maximize) {
        const QRect old = geometry();
        const int width = placement.width ? px(*placement.width) : old.width();
        const int height = placement.height ? px(*placement.height) : old.height();
        resize(width, height);
        // Refused values leave the window centred at its size, as after a broken state file.
        const int left = placement.left ? px(*placement.left) : (px(screen.width) - width) / 2;
        const int top = placement.top ? px(*placement.top) : (px(screen.height) - height) / 2;
        move(left, top);
    }
    // Halving needs the splitter at the width this window gives it, not the one it was built
    // with: the window lays its client out now, though it is not shown yet.
    layout()->activate();
    relayout();
    const int splitterWidth = m_panes->splitterWidth();
    const int first = placement.panel1 == WindowPlacement::Splitter::Half ? splitterWidth / 2
        : placement.panel1 == WindowPlacement::Splitter::Value            ? px(placement.panel1Width)
                                                                          : px(2410);
    m_panes->splitAt(first);
    if (placement.panel3Top)
        m_panes->setQueueHeight(*placement.panel3Top);
    relayout();
}

void MainWindow::startWithScript(const QString &argument)
{
    const QString path = argument.startsWith(u'!') ? argument.mid(1) : argument;
    m_scripts->open(path);
    show();
}

void MainWindow::reloadOptions()
{
    OptionsFile(QDir(m_dataFolder).filePath(QStringLiteral("options.ini"))).reloadOptions(m_settings, this);
}
