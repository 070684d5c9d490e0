// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue on the main window: its view, drops, the "&Queue" menu and its commands.
#include "browser/filebrowser.h"
#include "window/mainwindow.h"

#include "browser/texteditor.h"
#include "engine/listinginput.h"
#include "engine/packsession.h"
#include "engine/placementrules.h"
#include "engine/queue.h"
#include "engine/riprun.h"
#include "queueview/queuedroptarget.h"
#include "queueview/queueview.h"
#include "store/queuelisting.h"
#include "store/setextras.h"
#include "window/commandlock.h"
#include "window/packcommand.h"
#include "window/settestcommand.h"
#include "window/toprow.h"

#include <QApplication>
#include <QMenu>

namespace {

// The entries behind which the queue, the settings or the current script change.
using enum Command;
constexpr Command kLockedEntries[] = {
    NewRipScript,
    PopupNewRipScript,
    OpenScript,
    SaveScript,
    SaveScriptAs,
    Recent1,
    Recent2,
    Recent3,
    Recent4,
    SetDefaults,
    RipToSetDefaults,
    ZipSetDefaults,
    ArchiveSetDefaults,
    PathsSetDefaults,
    RipToFolder,
    PopupRipToFolder,
    Rar,
    Ace,
    PopupRar,
    PopupAce,
    Zip,
    PopupIntoZips,
    NfoInFirstZip,
    IncludePaths,
    PopupPaths,
    DizAutoNumber,
    ZipComment,
    RarStore,
    RarFastest,
    RarFast,
    RarNormal,
    RarGood,
    RarMaximum,
    ZipStore,
    ZipFastest,
    ZipFast,
    ZipNormal,
    ZipGood,
    ZipMaximum,
    InArchive,
    InZip,
    InFirstZip,
    RemoveItem,
    ClearQueue,
    PackIt,
};
// Their toolbar twins.
constexpr Tool kLockedButtons[] = {Tool::NewScript,   Tool::OpenScript, Tool::SaveScript,
                                   Tool::SetDefaults, Tool::ClearQueue, Tool::PackIt};

} // namespace

void MainWindow::connectQueueCommands()
{
    m_dropTarget = new QueueDropTarget(*m_queue, m_settings, this);
    m_dropTarget->setObjectName(QStringLiteral("dropTarget"));
    m_dropTarget->install(this);
    m_dropTarget->setAsk([this](const Message &message) { return ask(message); });
    connect(m_dropTarget, &QueueDropTarget::dropStarted, this, [this] { m_topRow->revealMode(); });
    connect(m_dropTarget, &QueueDropTarget::busyChanged, this, [this](bool busy) {
        busy ? QApplication::setOverrideCursor(Qt::WaitCursor) : QApplication::restoreOverrideCursor();
        lockCommands(busy);
        // The finish step after the unlock, which puts back the entries as they were before.
        if (!busy)
            enableDroppedQueue();
    });

    onTriggered(Command::ClearQueue, [this] { clearQueue(); });
    onTriggered(Command::RemoveItem, [this] { removeQueueItem(); });
    onTriggered(Command::ListQueue, [this] { listQueue(); });
    onTriggered(Command::PackIt, [this] { packIt(); });
    onTriggered(Command::TestSet, [this] { testSetFromWindow(*this); });
    connect(action(Command::WriteSfv), &QAction::toggled, this, &SetExtras::setWriteSfv);
    connect(action(Command::WritePar2), &QAction::toggled, this, &SetExtras::setWritePar2);
    onTriggered(Command::ItemProperties, [this] { showItemProperties(); });
    onTriggered(Command::OpenItem, [this] {
        if (!m_queue->isEmpty())
            if (auto *view = qobject_cast<QueueView *>(queueView()))
                view->openSelectedItem();
    });
    connect(menu(Command::QueueMenu), &QMenu::aboutToShow, this, &MainWindow::updateQueueMenu);
}

void MainWindow::connectQueueView(QueueView *view)
{
    connect(view, &QueueView::rowClicked, this,
            [this] { menu(Command::QueueMenu)->menuAction()->setEnabled(!commandsLocked()); });
    connect(view, &QueueView::popupRequested, this, [this](const QPoint &at) { showPopup(Command::QueueMenu, at); });
    connect(view, &QueueView::removeRequested, this, &MainWindow::removeQueueItem);
    connect(view, &QueueView::clearRequested, this, &MainWindow::clearQueue);
    connect(view, &QueueView::listRequested, this, &MainWindow::listQueue);
}

void MainWindow::packIt()
{
    packFromWindow(*this);
}

PackSession MainWindow::newPackSession(PackOptions options, RipEnvironment environment)
{
    return PackSession(*m_queue, m_settings, m_ripState, std::move(options), std::move(environment));
}

QList<QAction *> MainWindow::lockedEntries() const
{
    QList<QAction *> entries;
    for (const Command entry : kLockedEntries)
        entries << action(entry);
    for (const Tool button : kLockedButtons)
        entries << toolbarButton(button);
    return entries;
}

bool MainWindow::commandsLocked() const
{
    return m_lock->isLocked();
}

void MainWindow::lockCommands(bool locked)
{
    locked ? m_lock->lock() : m_lock->unlock();
}

int MainWindow::selectedRow() const
{
    const auto *view = qobject_cast<QueueView *>(queueView());
    return view ? view->firstSelectedRow() : -1;
}

void MainWindow::enableDroppedQueue()
{
    action(Command::SaveScriptAs)->setEnabled(true);
    refreshTotals();
}

void MainWindow::emptyQueueReset()
{
    action(Command::SaveScriptAs)->setEnabled(false);
    toolbarButton(Tool::SaveScript)->setEnabled(false);
    setWindowTitle(QStringLiteral("Varko 2000"));
    refreshTotals();
}

bool MainWindow::clearQueue()
{
    if (commandsLocked())
        return false;
    m_queue->clear();
    emptyQueueReset();
    m_scripts->queueCleared();
    m_commands.checkOne(kPlacementEntries, -1);
    return true;
}

void MainWindow::removeQueueItem()
{
    if (commandsLocked())
        return;
    switch (m_queue->removeRow(selectedRow())) {
    case Queue::RemoveOutcome::FileMoved:
        ask(Message::queueFileMoved());
        emptyQueueReset();
        break;
    case Queue::RemoveOutcome::Emptied: emptyQueueReset(); break;
    case Queue::RemoveOutcome::Removed:
    case Queue::RemoveOutcome::NothingRemoved: break;
    }
}

void MainWindow::enableRowEntries()
{
    const bool rows = !m_queue->isEmpty();
    action(Command::OpenItem)->setEnabled(rows);
    action(Command::ItemProperties)->setEnabled(rows);
    action(Command::RemoveItem)->setEnabled(rows && !commandsLocked());
    action(Command::ClearQueue)->setEnabled(rows && !commandsLocked());
}

void MainWindow::updateQueueMenu()
{
    const PlacementRules::QueueMenuState state = PlacementRules::queueMenuState(*m_queue, m_settings, selectedRow());
    const bool locked = commandsLocked();
    const std::pair<Command, bool> enabled[] = {{OpenItem, state.openItem},
                                                {ItemProperties, state.properties},
                                                {ListQueue, state.listQueue},
                                                {RemoveItem, state.removeItem && !locked},
                                                {ClearQueue, state.clearQueue && !locked},
                                                {PackIt, state.packIt && !locked},
                                                {InArchive, state.inArchive && !locked},
                                                {InZip, state.inZip && !locked},
                                                {InFirstZip, state.inFirstZip && !locked}};
    for (const auto &[entry, on] : enabled)
        action(entry)->setEnabled(on);
    action(Command::InArchive)->setChecked(state.inArchiveChecked);
    action(Command::InZip)->setChecked(state.inZipChecked);
    action(Command::InFirstZip)->setChecked(state.inFirstZipChecked);
}

void MainWindow::showItemProperties()
{
    const int row = selectedRow();
    if (row < 0 || !m_browser)
        return;
    // The same properties dialog the browser shows; a vanished row's file says so there.
    m_browser->showProperties({m_queue->index(row, 0).data(Queue::FullPathRole).toString()});
}

void MainWindow::listQueue()
{
    const QString path = queueListingPath();
    writeQueueListing(path, queueListingInput(*m_queue, m_settings, windowTitle(), m_settings.size));
    // Like the editor call it stands for, a listing that could not be written still opens.
    openInTextEditor(path);
}
