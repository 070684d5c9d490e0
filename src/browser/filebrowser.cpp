// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the window's file browser: folder tree, file list and their commands.
#include "browser/filebrowser.h"

#include "browser/browseractions.h"
#include "browser/browserclipboard.h"
#include "browser/browserfolders.h"
#include "browser/browserlist.h"
#include "browser/browsermodel.h"
#include "browser/browsernames.h"
#include "browser/browserprompts.h"
#include "browser/texteditor.h"
#include "dialogs/finddialog.h"
#include "dialogs/propertiesdialog.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTreeView>
#include <QUrl>

#include <algorithm>

namespace {

const QStringList kSelectionCommands = {QStringLiteral("fileprop3"), QStringLiteral("delete"), QStringLiteral("Openf"),
                                        QStringLiteral("copyf"), QStringLiteral("cutf")};
const QStringList kPressCommands = {QStringLiteral("delete"), QStringLiteral("Openf"), QStringLiteral("copyf"),
                                    QStringLiteral("cutf")};
const QString kEdit = QStringLiteral("edit");

// Compared as typed: README.DIZ is not offered for editing.
bool isDescriptionName(const QString &name)
{
    return name.endsWith(QLatin1String(".diz")) || name.endsWith(QLatin1String(".nfo"));
}

QString nearestFolder(const QString &path)
{
    if (path.isEmpty())
        return QDir::homePath();
    QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            return QDir::homePath();
        folder = parent;
    }
    return folder;
}

} // namespace

FileBrowser::FileBrowser(QWidget *place, const QString &startFolder)
    : QObject(place)
    , m_tree(new QTreeView(place))
    , m_list(new BrowserList(place))
    , m_listModel(new BrowserModel(this))
    , m_watcher(new QFileSystemWatcher(this))
{
    m_tree->setObjectName(QStringLiteral("folderTree"));
    m_tree->setAccessibleName(QStringLiteral("Folders"));
    m_tree->setHeaderHidden(true);
    m_tree->setDragEnabled(true);
    m_tree->setDragDropMode(QAbstractItemView::DragOnly);
    for (const QString &name : kSelectionCommands + QStringList{kEdit})
        m_enabled.insert(name, false);
    m_enabled.insert(QStringLiteral("fileprop"), true);
    buildTree();
    connectList();
    setCurrentFolder(startFolder);
}

void FileBrowser::connectList()
{
    QItemSelectionModel *selection = m_list->setBrowserModel(m_listModel);
    m_listModel->sort(m_sortColumn - 1);
    connect(selection, &QItemSelectionModel::selectionChanged, this, &FileBrowser::onSelectionChanged);
    connect(m_list, &BrowserList::pressed, this, &FileBrowser::onPressed);
    connect(m_list, &BrowserList::popupRequested, this, &FileBrowser::onPopup);
    connect(m_list, &BrowserList::focusLeft, this, &FileBrowser::onFocusLeft);
    connect(m_list, &BrowserList::activated, this,
            [this](const QModelIndex &index) { openItem(m_listModel->filePath(index)); });
    connect(m_list, &BrowserList::keyPressed, this, &FileBrowser::onKey);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (QFileInfo(m_folder).isDir())
            m_listModel->reload();
        else
            setCurrentFolder(m_folder);
        m_treeModel->reread(m_folder);
    });
}

void FileBrowser::buildTree()
{
    auto *model = new BrowserFolderModel(this);
    m_tree->setModel(model);
    delete m_treeModel;
    m_treeModel = model;
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid() && m_treeModel->filePath(current) != m_folder)
            setCurrentFolder(m_treeModel->filePath(current));
    });
    // Folders load in the background: keep the current one in sight as its parents arrive.
    connect(model, &BrowserFolderModel::directoryLoaded, this, [this](const QString &loaded) {
        if ((m_folder + QLatin1Char('/')).startsWith(loaded))
            m_tree->scrollTo(m_tree->currentIndex());
    });
}

void FileBrowser::setCurrentFolder(const QString &path)
{
    const QString folder = nearestFolder(path);
    const bool changed = folder != m_folder;
    if (!m_folder.isEmpty())
        m_watcher->removePath(m_folder);
    m_folder = folder;
    m_watcher->addPath(folder);
    m_listModel->setFolder(folder);
    const QModelIndex node = m_treeModel->index(folder);
    if (m_tree->currentIndex() != node)
        m_tree->setCurrentIndex(node);
    m_tree->scrollTo(node);
    if (changed)
        emit currentFolderChanged(folder);
}

QStringList FileBrowser::selectedPaths() const
{
    QModelIndexList rows;
    for (const QModelIndex &index : m_list->currentView()->selectionModel()->selectedIndexes()) {
        if (index.column() == 0)
            rows << index;
    }
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList paths;
    for (const QModelIndex &index : rows)
        paths << m_listModel->filePath(index);
    return paths;
}

QMimeData *FileBrowser::dragMimeData() const
{
    QModelIndexList indexes;
    for (const QString &path : selectedPaths())
        indexes << m_listModel->index(path);
    return m_listModel->mimeData(indexes);
}

void FileBrowser::connectActions(const ActionLookup &actionByName, QMenu *filepop)
{
    connectBrowserActions(this, actionByName, filepop);
}

void FileBrowser::openItem(const QString &path)
{
    if (QFileInfo(path).isDir())
        setCurrentFolder(path);
    else if (path.toLower().endsWith(QLatin1String(".v2k")))
        emit scriptRequested(path);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void FileBrowser::open()
{
    for (const QString &path : selectedPaths()) {
        // The item's open verb: a folder opens in the file manager; a double click enters it.
        if (QFileInfo(path).isDir())
            QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        else
            openItem(path);
    }
}

void FileBrowser::explore()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_folder));
}

void FileBrowser::find()
{
    auto *dialog = new FindDialog(m_folder, owner());
    connect(dialog, &FindDialog::openRequested, this, &FileBrowser::openItem);
    dialog->show();
}

void FileBrowser::copy()
{
    putOnClipboard(false);
    setEnabled({QStringLiteral("copyf")}, false);
}

void FileBrowser::cut()
{
    putOnClipboard(true);
    setEnabled({QStringLiteral("cutf")}, false);
}

void FileBrowser::putOnClipboard(bool cut)
{
    const QStringList paths = selectedPaths();
    if (!paths.isEmpty())
        QGuiApplication::clipboard()->setMimeData(fileClipboardData(paths, cut));
}

void FileBrowser::paste()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    const ClipboardFiles files = clipboardFiles(clipboard->mimeData());
    if (files.paths.isEmpty())
        return;
    pasteFiles(owner(), files.paths, m_folder, files.cut);
    // Cut files are gone from where the clipboard says they are.
    if (files.cut)
        clipboard->clear();
}

void FileBrowser::deleteSelected()
{
    trashFiles(owner(), selectedPaths());
    setEnabled({QStringLiteral("delete")}, false);
}

void FileBrowser::link()
{
    QStringList failures;
    for (const QString &path : selectedPaths()) {
        if (makeLink(path).isEmpty())
            failures << path;
    }
    reportFailures(owner(), QStringLiteral("No link could be made to:"), failures);
}

void FileBrowser::newFolder()
{
    const QString name = freeName(m_folder, QStringLiteral("New Folder"));
    const QModelIndex index = m_listModel->mkdir(name);
    if (!index.isValid()) {
        reportFailures(owner(), QStringLiteral("This folder could not be made:"), {QDir(m_folder).filePath(name)});
        return;
    }
    QAbstractItemView *view = m_list->currentView();
    view->setFocus();
    selectOnly(index);
    view->edit(index);
}

void FileBrowser::fileProperties()
{
    const QStringList paths = selectedPaths();
    if (!paths.isEmpty())
        showProperties(paths);
}

void FileBrowser::folderProperties()
{
    showProperties({m_folder});
}

void FileBrowser::showProperties(const QStringList &paths)
{
    (new PropertiesDialog(paths, owner()))->show();
}

void FileBrowser::selectAll()
{
    m_list->currentView()->selectAll();
}

void FileBrowser::upOneLevel()
{
    QDir folder(m_folder);
    if (folder.cdUp())
        setCurrentFolder(folder.path());
}

void FileBrowser::refresh()
{
    buildTree();
    setCurrentFolder(m_folder);
}

void FileBrowser::setViewStyle(int style)
{
    m_list->setViewStyle(style);
}

void FileBrowser::setSortColumn(int column)
{
    if (column < 1 || column > 4)
        return;
    m_sortColumn = column;
    m_listModel->sort(column - 1);
}

void FileBrowser::newDiz()
{
    createTemplate(ReleaseTemplate::Diz);
}

void FileBrowser::newNfo()
{
    createTemplate(ReleaseTemplate::Nfo);
}

void FileBrowser::createTemplate(ReleaseTemplate kind)
{
    const QString path = writeTemplate(m_folder, kind);
    if (!path.isEmpty())
        selectNewFile(path);
    setEnabled({kEdit}, true);
}

void FileBrowser::selectNewFile(const QString &path)
{
    selectOnly(m_listModel->notice(path));
}

void FileBrowser::editSelected()
{
    const QStringList paths = selectedPaths();
    if (paths.isEmpty()) {
        setEnabled({kEdit}, false);
        return;
    }
    openInTextEditor(paths.first());
}

void FileBrowser::selectOnly(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    QAbstractItemView *view = m_list->currentView();
    view->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    view->scrollTo(index);
}

void FileBrowser::onSelectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    setEnabled(kSelectionCommands, true);
    const QModelIndexList changed = selected.isEmpty() ? deselected.indexes() : selected.indexes();
    setEnabled({kEdit}, !changed.isEmpty() && isDescriptionName(m_listModel->fileName(changed.last())));
}

void FileBrowser::onPressed()
{
    if (m_list->currentView()->selectionModel()->hasSelection())
        setEnabled(kPressCommands, true);
}

void FileBrowser::onPopup(const QPoint &globalPos)
{
    setEnabled({QStringLiteral("fileprop")}, true);
    setEnabled({kEdit}, false);
    emit popupRequested(globalPos);
}

void FileBrowser::onKey(BrowserList::Key key)
{
    switch (key) {
    case BrowserList::Key::Open:
        for (const QString &path : selectedPaths())
            openItem(path);
        return;
    case BrowserList::Key::Delete: return deleteSelected();
    case BrowserList::Key::Copy: return copy();
    case BrowserList::Key::Cut: return cut();
    case BrowserList::Key::Paste: return paste();
    case BrowserList::Key::Up: return upOneLevel();
    }
}

void FileBrowser::onFocusLeft()
{
    m_list->currentView()->selectionModel()->clearSelection();
    setEnabled(kSelectionCommands + QStringList{kEdit}, false);
}

void FileBrowser::setEnabled(const QStringList &names, bool enabled)
{
    for (const QString &name : names) {
        if (m_enabled.value(name) == enabled)
            continue;
        m_enabled.insert(name, enabled);
        emit commandEnabledChanged(name, enabled);
    }
}

QWidget *FileBrowser::owner() const
{
    return m_list->window();
}
