// Varko 2000 — the main window's start-up: state file, settings, views, captions, scripts.
#include "window/mainwindow.h"
#include "window/outcomeline.h"
#include "window/packcommand.h"
#include "window/windowlayout.h"
#include "window/splashwindow.h"
#include "window/statuspanels.h"
#include "engine/queue.h"
#include "store/optionsfile.h"
#include "store/ripscript.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QTextStream>

namespace {

constexpr int kRecentCapacity = 4;

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
        showMessage(QMessageBox::Warning, QStringLiteral("Varko 2000 notice"),
                    QStringLiteral("Varko 2000 was designed for at least\n800x600 resolution and 16 bit color"));

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

    const StoreResult loaded = OptionsFile(QDir(m_dataFolder).filePath(QStringLiteral("options.ini")))
                                   .loadOptions(m_settings, this);
    if (!loaded.ok) {
        QTextStream(stderr) << "varko2000: " << loaded.message << ": " << loaded.detail << Qt::endl;
        // A value refused for its bytes changed what the window starts with: the user hears of it.
        if (loaded.message == QLatin1String("Load options error"))
            ask({loaded.message + QStringLiteral("\n\n") + loaded.detail, loaded.title, loaded.icon, Message::Buttons::Ok});
    }
    m_started = true;
    applyViewSettings();
    mirrorAllSettings();
    updateModePicture();
    m_panels->setProgressText(QStringLiteral("0%"));
    if (placement.maximize)
        setWindowState(windowState() | Qt::WindowMaximized);

    // A script named at start joins the stored list rather than replacing it.
    m_recent.load(QSettings(QStringLiteral("Norwen"), QStringLiteral("Varko2kMRU")));
    m_recent.setMaxFileCount(kRecentCapacity);
    action(QStringLiteral("writesfv"))->setChecked(writeSfvSetting());
    if (options.scriptArgument.isEmpty()) {
        refreshRecentMenu();
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
    const int splitterWidth = m_browserSplitter->width();
    const int first = placement.panel1 == WindowPlacement::Splitter::Half    ? splitterWidth / 2
                      : placement.panel1 == WindowPlacement::Splitter::Value ? px(placement.panel1Width)
                                                                             : px(2410);
    m_browserSplitter->setSizes({first, splitterWidth - first});
    if (placement.panel3Top)
        m_queueHeight = *placement.panel3Top;
    relayout();
}

void MainWindow::startWithScript(const QString &argument)
{
    const QString path = argument.startsWith(u'!') ? argument.mid(1) : argument;
    openScript(path);
    show();
}

bool MainWindow::openScript(const QString &path)
{
    if (commandsLocked())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_queue->clear();
    action(QStringLiteral("sscript"))->setEnabled(true);
    toolbarButton(4)->setEnabled(true);
    m_currentScript = path;
    setWindowTitle(QStringLiteral("Varko 2000 - ") + path);
    showScriptFolder(path);
    const bool opened = m_scriptOpener(path);
    QApplication::restoreOverrideCursor();
    if (!opened) {
        showMessage(QMessageBox::Warning, QStringLiteral("Varko 2000"), path + QStringLiteral("\n\ncouldn't be loaded"));
        m_queue->clear();
        action(QStringLiteral("sscript"))->setEnabled(false);
        m_currentScript.clear();
        emptyQueueReset();
        return false;
    }
    action(QStringLiteral("saveasscript"))->setEnabled(true);
    addRecentScript(path);
    refreshTotals();
    return true;
}

void MainWindow::addRecentScript(const QString &path)
{
    m_recent.addFile(path);
    refreshRecentMenu();
}

void MainWindow::refreshRecentMenu()
{
    for (int n = 1; n <= kRecentCapacity; ++n) {
        QAction *entry = action(QStringLiteral("mnuFile%1").arg(n + 1));
        entry->setVisible(m_recent.fileExists(n));
        if (m_recent.fileExists(n))
            entry->setText(m_recent.menuCaption(n));
    }
    action(QStringLiteral("mnuFile2"))->setChecked(m_recent.fileExists(1));
    action(QStringLiteral("mnuFile6"))->setVisible(m_recent.fileCount() > 0);
}

void MainWindow::openRecent(int entry)
{
    const QString path = m_recent.file(entry);
    if (const StoreResult moved = recentScriptCheck(path); !moved.ok) {
        ask(Message::of(moved));
        return;
    }
    // On the list's top before it is read: one that fails to load is still the last one chosen.
    addRecentScript(path);
    openScript(path);
}

void MainWindow::saveRecentScripts() const
{
    QSettings store(QStringLiteral("Norwen"), QStringLiteral("Varko2kMRU"));
    m_recent.save(store);
}

void MainWindow::reloadOptions()
{
    OptionsFile(QDir(m_dataFolder).filePath(QStringLiteral("options.ini"))).reloadOptions(m_settings, this);
}
