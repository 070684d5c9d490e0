// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window: it builds its parts and its collaborators and connects them.
#include "window/mainwindow.h"

#include "dialogs/messagebox.h"
#include "engine/placementrules.h"
#include "engine/queue.h"
#include "engine/scriptopener.h"
#include "queueview/queuedroptarget.h"
#include "queueview/queueview.h"
#include "window/commandbuilder.h"
#include "window/commandlock.h"
#include "window/helpwindow.h"
#include "window/outcomeline.h"
#include "window/panes.h"
#include "window/soundplayer.h"
#include "window/statuspanels.h"
#include "window/toprow.h"
#include "window/twipslayout.h"
#include "window/viewmenu.h"

#include <QMenu>
#include <QMenuBar>

namespace {

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_queue(new Queue(this))
    , m_sounds(new SoundPlayer(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Varko 2000"));
    setWindowIcon(QIcon(QStringLiteral(":/app/icons/varko2000.svg")));
    setMinimumSize(kMinWindowWidth / kTwipsPerPixel, kMinWindowHeight / kTwipsPerPixel);
    resize(9900 / kTwipsPerPixel, 7270 / kTwipsPerPixel);
    m_queue->setRunState(&m_ripState);
    buildWidgets();
    buildCollaborators();
    connectCommands();
    installEventFilters();
    connectPanels();
    connectQueueCommands();
    connectPlacementCommands();
    connectScriptCommands();
    connect(m_queue, &Queue::totalsChanged, this, &MainWindow::refreshTotals);
    refreshTotals();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildCollaborators()
{
    m_lock = std::make_unique<CommandLock>(m_ripState, lockedEntries());
    const ScriptSession::Entries scriptEntries{
        action(Command::SaveScript),
        toolbarButton(Tool::SaveScript),
        action(Command::SaveScriptAs),
        {action(Command::Recent1), action(Command::Recent2), action(Command::Recent3), action(Command::Recent4)},
        action(Command::RecentSeparator)};
    m_scripts = new ScriptSession(*m_queue, m_settings, *this, scriptEntries, this);
    m_scripts->setOpener([this](const QString &path) { return ::openScript(path, *m_queue, m_settings, this).ok; });
    m_views =
        new ViewMenu(m_settings, m_commands,
                     {toolbarButton(Tool::LargeIcons), toolbarButton(Tool::List), toolbarButton(Tool::Details)}, this);
    connect(m_views, &ViewMenu::fontSizeChanged, m_panes, &Panes::setFontSize);
}

void MainWindow::buildWidgets()
{
    m_commands = buildMenus(menuBar(), this);
    m_outcome = new OutcomeLine(*this);
    // Connected before the commands themselves, so a command's own outcome outlives it.
    for (QMenu *menu : m_commands.menus)
        for (QAction *entry : menu ? menu->actions() : QList<QAction *>())
            if (!entry->menu())
                connect(entry, &QAction::triggered, m_outcome, &OutcomeLine::clear);
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    m_topRow = new TopRow(client);
    connect(m_topRow, &TopRow::buttonPressed, this, [this](Tool button) {
        m_outcome->clear();
        pressToolbarButton(button);
    });
    connect(m_topRow, &TopRow::logoPressed, this, &MainWindow::showAbout);
    // The hourglass a run set over the window turns back into the arrow here.
    connect(m_topRow, &TopRow::findButtonEntered, this, [this] { unsetCursor(); });
    buildPanes(client);
    m_panels = new StatusPanels(client);
}

QAction *MainWindow::toolbarButton(Tool id) const
{
    return m_topRow->button(id);
}

void MainWindow::updateModePicture()
{
    m_topRow->showMode(m_settings);
}

void MainWindow::buildPanes(QWidget *client)
{
    m_panes = new Panes(client);
    watchFileList();
    connect(m_panes, &Panes::queueHeightChanged, this, &MainWindow::relayout);
    installQueueView(new QueueView(*m_queue));
}

void MainWindow::connectPanels()
{
    connect(m_panels, &StatusPanels::totalsPressed, this, &MainWindow::enableRowEntries);
    connect(m_panels, &StatusPanels::listQueueRequested, action(Command::ListQueue), &QAction::trigger);
    connect(m_panels, &StatusPanels::archiveTypeToggled, this, &MainWindow::toggleArchiveType);
    connect(m_panels, &StatusPanels::zippingToggled, this, [this] { setZipping(!isZipping(m_settings)); });
    connect(m_panels, &StatusPanels::savePathsToggled, this, [this] { setSavePaths(m_settings.savepaths != 1); });
    connect(m_panels, &StatusPanels::ripToFolderRequested, this, &MainWindow::chooseRipToFolder);
    connect(m_panels, &StatusPanels::volumeSizeStepped, this, &MainWindow::stepVolumeSize);
    connect(m_panels, &StatusPanels::popupRequested, this, &MainWindow::showPopup);
}

QWidget *MainWindow::fileList() const
{
    return m_panes->fileList();
}

QWidget *MainWindow::queueView() const
{
    return m_panes->queueView();
}

TextProgressBar *MainWindow::progressBar() const
{
    return m_panels->progressBar();
}

QAction *MainWindow::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

QMenu *MainWindow::menu(const QString &objectName) const
{
    return findChild<QMenu *>(objectName);
}

void MainWindow::installBrowser(QWidget *folderTree, QWidget *fileList)
{
    m_panes->setBrowserViews(folderTree, fileList);
    watchFileList();
    if (m_started)
        m_views->applySettings();
}

void MainWindow::watchFileList()
{
    if (auto *list = qobject_cast<QAbstractScrollArea *>(m_panes->fileList()))
        list->viewport()->installEventFilter(this);
}

void MainWindow::installQueueView(QWidget *queueView)
{
    m_panes->setQueueView(queueView);
    if (auto *view = qobject_cast<QueueView *>(queueView))
        connectQueueView(view);
}

Message::Answer MainWindow::ask(const Message &message)
{
    return ::showMessage(this, message);
}
