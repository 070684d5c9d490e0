// Varko 2000 — the queue on the main window: its view, drops, the "&Queue" menu and its commands.
#include "browser/filebrowser.h"
#include "window/mainwindow.h"
#include "window/packcommand.h"
#include "window/settestcommand.h"
#include "queueview/queuedroptarget.h"
#include "queueview/queueview.h"
#include "browser/texteditor.h"
#include "engine/listinginput.h"
#include "engine/placementrules.h"
#include "engine/queue.h"
#include "store/queuelisting.h"

#include <QApplication>
#include <QMenu>

namespace {

// The entries behind which the queue, the settings or the current script change.
const char *const kLockedEntries[] = {
    "newrip", "newscript2", "openscript", "sscript", "saveasscript", "mnuFile2", "mnuFile3", "mnuFile4", "mnuFile5",
    "preferences", "options", "options3", "options4", "options9", "riptof", "changep",
    "rar2", "ace2", "rarc", "acec", "zip2", "intoz", "nfo2", "paths2", "paths3", "autonumber", "zzcomment",
    "rstore", "rfastest", "rfast", "rnormal", "rgood", "rmaximum",
    "zstore", "zfastest", "zfast", "znormal", "zgood", "zmaximum",
    "inrarace", "inzip", "in1stzip", "remove", "clear", "packit",
};
// Their toolbar twins: new, open and save script, set defaults, clear queue, Pack It.
constexpr int kLockedButtons[] = {2, 3, 4, 6, 18, 23};

} // namespace

void MainWindow::connectQueueCommands()
{
    m_dropTarget = new QueueDropTarget(*m_queue, m_settings, this);
    m_dropTarget->setObjectName(QStringLiteral("dropTarget"));
    m_dropTarget->install(this);
    m_dropTarget->setAsk([this](const Message &message) { return ask(message); });
    connect(m_dropTarget, &QueueDropTarget::dropStarted, this, [this] { m_modePictureSlot->setVisible(true); });
    connect(m_dropTarget, &QueueDropTarget::busyChanged, this, [this](bool busy) {
        busy ? QApplication::setOverrideCursor(Qt::WaitCursor) : QApplication::restoreOverrideCursor();
        lockCommands(busy);
        // The finish step after the unlock, which puts back the entries as they were before.
        if (!busy)
            enableDroppedQueue();
    });

    onTriggered("clear", [this] { clearQueue(); });
    onTriggered("remove", [this] { removeQueueItem(); });
    onTriggered("listque", [this] { listQueue(); });
    onTriggered("packit", [this] { packFromWindow(*this); });
    onTriggered("testset", [this] { testSetFromWindow(*this); });
    connect(action(QStringLiteral("writesfv")), &QAction::toggled, this, &setWriteSfvSetting);
    onTriggered("properties", [this] { showItemProperties(); });
    onTriggered("openque", [this] {
        if (!m_queue->isEmpty())
            if (auto *view = qobject_cast<QueueView *>(m_queueView))
                view->openSelectedItem();
    });
    connect(menu(QStringLiteral("lpopup")), &QMenu::aboutToShow, this, &MainWindow::updateQueueMenu);
}

void MainWindow::connectQueueView(QueueView *view)
{
    connect(view, &QueueView::rowClicked, this, [this] {
        menu(QStringLiteral("lpopup"))->menuAction()->setEnabled(!commandsLocked());
    });
    connect(view, &QueueView::popupRequested, this,
            [this](const QPoint &at) { showPopup(QStringLiteral("lpopup"), at); });
    connect(view, &QueueView::removeRequested, this, &MainWindow::removeQueueItem);
    connect(view, &QueueView::clearRequested, this, &MainWindow::clearQueue);
    connect(view, &QueueView::listRequested, this, &MainWindow::listQueue);
}

bool MainWindow::commandsLocked() const
{
    return m_ripState.ripInProgress || m_lockDepth > 0;
}

void MainWindow::lockCommands(bool locked)
{
    m_lockDepth += locked ? 1 : -1;
    if (locked && m_lockDepth == 1) {
        QList<QAction *> entries;
        for (const char *name : kLockedEntries)
            entries << action(QLatin1String(name));
        for (int position : kLockedButtons)
            entries << toolbarButton(position);
        for (QAction *entry : entries) {
            m_lockedEntries.insert(entry, entry->isEnabled());
            entry->setEnabled(false);
        }
    } else if (!locked && m_lockDepth == 0) {
        for (auto entry = m_lockedEntries.cbegin(); entry != m_lockedEntries.cend(); ++entry)
            entry.key()->setEnabled(entry.value());
        m_lockedEntries.clear();
    }
}

int MainWindow::selectedRow() const
{
    const auto *view = qobject_cast<QueueView *>(m_queueView);
    return view ? view->firstSelectedRow() : -1;
}

void MainWindow::enableDroppedQueue()
{
    action(QStringLiteral("saveasscript"))->setEnabled(true);
    refreshTotals();
}

void MainWindow::emptyQueueReset()
{
    action(QStringLiteral("saveasscript"))->setEnabled(false);
    toolbarButton(4)->setEnabled(false);
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
    setCheckedGroup({QStringLiteral("inrarace"), QStringLiteral("inzip"), QStringLiteral("in1stzip")}, -1);
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
    action(QStringLiteral("openque"))->setEnabled(rows);
    action(QStringLiteral("properties"))->setEnabled(rows);
    action(QStringLiteral("remove"))->setEnabled(rows && !commandsLocked());
    action(QStringLiteral("clear"))->setEnabled(rows && !commandsLocked());
}

void MainWindow::updateQueueMenu()
{
    const PlacementRules::QueueMenuState state = PlacementRules::queueMenuState(*m_queue, m_settings, selectedRow());
    const bool locked = commandsLocked();
    const std::pair<const char *, bool> enabled[] = {
        {"openque", state.openItem}, {"properties", state.properties}, {"listque", state.listQueue},
        {"remove", state.removeItem && !locked}, {"clear", state.clearQueue && !locked},
        {"packit", state.packIt && !locked}, {"inrarace", state.inArchive && !locked},
        {"inzip", state.inZip && !locked}, {"in1stzip", state.inFirstZip && !locked}};
    for (const auto &[name, on] : enabled)
        action(QLatin1String(name))->setEnabled(on);
    action(QStringLiteral("inrarace"))->setChecked(state.inArchiveChecked);
    action(QStringLiteral("inzip"))->setChecked(state.inZipChecked);
    action(QStringLiteral("in1stzip"))->setChecked(state.inFirstZipChecked);
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
