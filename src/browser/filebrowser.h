// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the window's file browser: folder tree, file list and their commands.
#pragma once

#include "browser/browserlist.h"
#include "browser/browsertemplates.h"

#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QFileSystemWatcher;
class QItemSelection;
class QMenu;
class QMimeData;
class QModelIndex;
class QTreeView;
class BrowserFolderModel;
class BrowserModel;

/**
 * Builds the folder tree `folderTree` and the file list `fileList` into the
 * window's browser splitter and owns every command that acts on them.
 *
 * The tree shows the file system's folders (hidden ones hidden); choosing
 * one fills the list. When the shown folder vanishes the browser moves to
 * the nearest existing parent. Both models read in the background, so a
 * folder of 100,000 files or an unreadable one never blocks the window.
 *
 * Commands that need a selection are enabled and disabled by the list's
 * events; each change is announced by name (`Openf`, `fileprop3`, `copyf`,
 * `cutf`, `delete`, `edit`, `fileprop`) through `commandEnabledChanged`.
 */
class FileBrowser : public QObject
{
    Q_OBJECT

public:
    using ActionLookup = std::function<QAction *(const QString &objectName)>;

    /**
     * Makes the tree and the list as children of `place` (a splitter takes
     * them as its panes), showing `startFolder`, or its nearest existing
     * parent, or the home folder when it is empty.
     */
    FileBrowser(QWidget *place, const QString &startFolder);

    QTreeView *folderTree() const { return m_tree; }
    BrowserList *fileList() const { return m_list; }

    /** The folder the list shows (for the window state's "Dir="). */
    QString currentFolder() const { return m_folder; }
    /** The selected items' full paths, from the top of the list. */
    QStringList selectedPaths() const;
    /** What dragging the selection out carries. */
    QMimeData *dragMimeData() const;

    bool isCommandEnabled(const QString &name) const { return m_enabled.value(name); }

    /**
     * Connects the window's actions, found by object name, to the browser's
     * commands and keeps their enabled states; `filepop` is the list's pop-up
     * menu. Actions that are not found are left out. The view, sort, font
     * and refresh entries stay the window's: it calls `setViewStyle`,
     * `setSortColumn` and `refresh`, and sets the font on both widgets.
     */
    void connectActions(const ActionLookup &actionByName, QMenu *filepop);

public slots:
    void setCurrentFolder(const QString &path);
    void open();
    void explore();
    void find();
    void copy();
    void cut();
    void paste();
    void deleteSelected();
    void link();
    void newFolder();
    void fileProperties();
    void folderProperties();
    void showProperties(const QStringList &paths);
    void selectAll();
    void upOneLevel();
    void refresh();
    /** 0 large icons, 2 list, 3 details. */
    void setViewStyle(int style);
    /** 1 Name, 2 Size, 3 Type, 4 Modified; always ascending. */
    void setSortColumn(int column);
    void newDiz();
    void newNfo();
    void editSelected();
    /** Selects `path`, a file just written into the shown folder, alone; nothing when it is elsewhere. */
    void selectNewFile(const QString &path);

signals:
    /** A rip script was opened in the browser: load it instead of opening it. */
    void scriptRequested(const QString &path);
    void commandEnabledChanged(const QString &name, bool enabled);
    void currentFolderChanged(const QString &path);
    /** The list asked for its pop-up menu; `connectActions` shows `filepop` here. */
    void popupRequested(const QPoint &globalPos);

private:
    void buildTree();
    void connectList();
    void showFolder(const QString &folder);
    void openItem(const QString &path);
    void onSelectionChanged(const QItemSelection &selected, const QItemSelection &deselected);
    void onPressed();
    void onPopup(const QPoint &globalPos);
    void onKey(BrowserList::Key key);
    void onFocusLeft();
    void setEnabled(const QStringList &names, bool enabled);
    void selectOnly(const QModelIndex &index);
    void putOnClipboard(bool cut);
    void createTemplate(ReleaseTemplate kind);
    QWidget *owner() const;

    QTreeView *m_tree;
    BrowserList *m_list;
    BrowserFolderModel *m_treeModel = nullptr;
    BrowserModel *m_listModel;
    QFileSystemWatcher *m_watcher;
    QString m_folder;
    QHash<QString, bool> m_enabled;
    int m_sortColumn = 1;
};
