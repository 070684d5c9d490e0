// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the folder tree's model: folders only, each read on a worker thread.
#pragma once

#include <QAbstractItemModel>
#include <QCollator>
#include <QIcon>
#include <QSet>
#include <QThreadPool>

#include <memory>
#include <vector>

class QFileIconProvider;

/** Names in the browser's order: case folded first, digits compared as numbers. */
QCollator browserCollator();
/** The folder icon, or the style's when the desktop has no icon theme. */
QIcon folderIcon(const QFileIconProvider &icons);

/**
 * The whole file system's folders under "/", hidden ones left out.
 *
 * A folder's subfolders are listed on a worker thread the first time the
 * tree asks for them, so a folder holding 100,000 files costs the window
 * nothing: only the folder names ever reach it. `index(path)` makes the
 * nodes down to `path` at once (reading their parents meanwhile), which
 * keeps a hidden or not yet read folder selectable.
 */
class BrowserFolderModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit BrowserFolderModel(QObject *parent);
    ~BrowserFolderModel() override;

    using QAbstractItemModel::index;
    /** The node of the folder `path`, made on the way when the tree has not read it yet. */
    QModelIndex index(const QString &path);
    QString filePath(const QModelIndex &index) const;
    /** Lists `path` again when it has been read, to show folders made or removed since. */
    void reread(const QString &path);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

signals:
    /** The subfolders of `path` are in the model. */
    void directoryLoaded(const QString &path);

private:
    struct Node;
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(Node *node) const;
    QString pathOf(const Node *node) const;
    Node *find(const QString &path) const;
    Node *child(Node *node, const QString &name) const;
    Node *addChild(Node *node, const QString &name);
    void read(Node *node);
    void takeListing(const QString &path, const QStringList &names);
    void removeVanished(Node *node, const QSet<QString> &names);
    void appendNew(Node *node, const QStringList &names);
    void sortChildren(Node *node);

    std::unique_ptr<Node> m_root;
    QIcon m_folderIcon;
    // Declared last, so it is gone (its listings finished) before anything they report to.
    QThreadPool m_listers;
};
