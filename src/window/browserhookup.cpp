// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the file browser in the main window: its views, commands and hand-overs.
#include "browser/browserlist.h"
#include "browser/filebrowser.h"
#include "window/mainwindow.h"
#include "window/panes.h"
#include "window/viewmenu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTreeView>

namespace {

struct CentringEntry
{
    Command entry;
    bool processEvents; ///< let pending events run after the move, before the command
    bool needsSelection; ///< an edit with nothing selected opens nothing: the pointer stays
};

// Menu entries that move the pointer to the window's centre before the browser acts on them.
constexpr CentringEntry kCentringEntries[] = {
    {Command::OpenFile, false, false}, {Command::Explore, true, false}, {Command::EditDizNfo, true, true}};

} // namespace

void MainWindow::installFileBrowser()
{
    m_browser = new FileBrowser(m_panes->browserHost(), m_browserFolder);
    installBrowser(m_browser->folderTree(), m_browser->fileList());
    // Connected before the browser's own commands, so the pointer moves first.
    for (const CentringEntry &entry : kCentringEntries)
        onTriggered(entry.entry, [this, entry] {
            if (entry.needsSelection && !browserHasSelection())
                return;
            placePointer();
            if (entry.processEvents)
                QCoreApplication::processEvents();
        });
    m_browser->connectActions([this](const QString &name) { return action(name); }, menu(Command::FilePopup));
    // View, sort, font and refresh stay the window's commands; the browser follows them.
    connect(m_views, &ViewMenu::viewStyleChanged, m_browser, &FileBrowser::setViewStyle);
    connect(m_views, &ViewMenu::sortChanged, m_browser, &FileBrowser::setSortColumn);
    connect(m_views, &ViewMenu::refreshRequested, m_browser, &FileBrowser::refresh);
    connect(m_browser, &FileBrowser::currentFolderChanged, this, &MainWindow::setBrowserFolder);
    connect(m_browser, &FileBrowser::scriptRequested, this, [this](const QString &path) { m_scripts->open(path); });
    m_browser->setViewStyle(m_views->viewStyle());
    m_browser->setSortColumn(m_views->sortColumn());
}

bool MainWindow::browserHasSelection() const
{
    return m_browser && !m_browser->selectedPaths().isEmpty();
}

void MainWindow::showScriptFolder(const QString &script)
{
    // Showing the same folder again would read it afresh and drop the selection.
    const QString folder = QDir::cleanPath(QFileInfo(script).absolutePath());
    if (m_browser && QFileInfo(folder).isDir() && folder != m_browser->currentFolder())
        m_browser->setCurrentFolder(folder);
}
