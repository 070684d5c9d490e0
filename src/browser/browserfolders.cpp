// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the folder tree's model: folders only, each read on a worker thread.
#include "browser/browserfolders.h"

#include "browser/browserclipboard.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileIconProvider>
#include <QSet>
#include <QStyle>

#include <algorithm>

namespace {

// The subfolders of `path` in the browser's order; hidden ones and files never leave the thread.
QStringList listFolders(const QString &path)
{
    QStringList names;
    QDirIterator folders(path, QDir::Dirs | QDir::NoDotAndDotDot);
    while (folders.hasNext())
        names << folders.nextFileInfo().fileName();
    const QCollator collator = browserCollator();
    std::sort(names.begin(), names.end(), [&collator](const QString &a, const QString &b) {
        return collator.compare(a.toCaseFolded(), b.toCaseFolded()) < 0;
    });
    return names;
}

} // namespace

QCollator browserCollator()
{
    // The C locale's collator ignores the case setting: callers fold the case themselves.
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

QIcon folderIcon(const QFileIconProvider &icons)
{
    const QIcon folder = icons.icon(QAbstractFileIconProvider::Folder);
    return folder.isNull() ? QApplication::style()->standardIcon(QStyle::SP_DirIcon) : folder;
}

struct BrowserFolderModel::Node
{
    enum class State { Unread, Reading, Read };

    QString name;
    Node *parent = nullptr;
    int row = 0;
    std::vector<std::unique_ptr<Node>> children;
    State state = State::Unread;
    bool readAgain = false;
};

BrowserFolderModel::BrowserFolderModel(QObject *parent)
    : QAbstractItemModel(parent)
    , m_root(std::make_unique<Node>())
    , m_folderIcon(folderIcon(QFileIconProvider()))
{
    m_root->state = Node::State::Read;
    addChild(m_root.get(), QDir::rootPath());
    m_listers.setMaxThreadCount(1);
}

BrowserFolderModel::~BrowserFolderModel()
{
    m_listers.clear();
}

QModelIndex BrowserFolderModel::index(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    Node *node = m_root->children.front().get();
    for (const QString &name : clean.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (node->state == Node::State::Unread)
            read(node);
        Node *next = child(node, name);
        node = next ? next : addChild(node, name);
    }
    return indexOf(node);
}

QString BrowserFolderModel::filePath(const QModelIndex &index) const
{
    return index.isValid() ? pathOf(nodeOf(index)) : QString();
}

void BrowserFolderModel::reread(const QString &path)
{
    Node *node = find(path);
    if (node && node->state == Node::State::Read)
        read(node);
    else if (node && node->state == Node::State::Reading)
        node->readAgain = true;
}

QModelIndex BrowserFolderModel::index(int row, int column, const QModelIndex &parent) const
{
    const Node *node = parent.isValid() ? nodeOf(parent) : m_root.get();
    if (column != 0 || row < 0 || row >= int(node->children.size()))
        return {};
    return createIndex(row, 0, node->children[size_t(row)].get());
}

QModelIndex BrowserFolderModel::parent(const QModelIndex &child) const
{
    return child.isValid() ? indexOf(nodeOf(child)->parent) : QModelIndex();
}

int BrowserFolderModel::rowCount(const QModelIndex &parent) const
{
    return int((parent.isValid() ? nodeOf(parent) : m_root.get())->children.size());
}

int BrowserFolderModel::columnCount(const QModelIndex &) const
{
    return 1;
}

bool BrowserFolderModel::hasChildren(const QModelIndex &parent) const
{
    // Until a folder is read it may hold folders: it keeps its expander.
    const Node *node = parent.isValid() ? nodeOf(parent) : m_root.get();
    return node->state != Node::State::Read || !node->children.empty();
}

bool BrowserFolderModel::canFetchMore(const QModelIndex &parent) const
{
    return parent.isValid() && nodeOf(parent)->state == Node::State::Unread;
}

void BrowserFolderModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        read(nodeOf(parent));
}

QVariant BrowserFolderModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return nodeOf(index)->name;
    if (role == Qt::DecorationRole)
        return m_folderIcon;
    if (role == Qt::ToolTipRole)
        return QDir::toNativeSeparators(filePath(index));
    return {};
}

Qt::ItemFlags BrowserFolderModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled : Qt::NoItemFlags;
}

QStringList BrowserFolderModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData *BrowserFolderModel::mimeData(const QModelIndexList &indexes) const
{
    // A folder dragged from the tree goes into the queue as one from the list does.
    QStringList paths;
    for (const QModelIndex &index : indexes)
        paths << filePath(index);
    return fileClipboardData(paths, false);
}

Qt::DropActions BrowserFolderModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::LinkAction;
}

BrowserFolderModel::Node *BrowserFolderModel::nodeOf(const QModelIndex &index) const
{
    return static_cast<Node *>(index.internalPointer());
}

QModelIndex BrowserFolderModel::indexOf(Node *node) const
{
    return node && node != m_root.get() ? createIndex(node->row, 0, node) : QModelIndex();
}

QString BrowserFolderModel::pathOf(const Node *node) const
{
    if (node->parent == m_root.get())
        return node->name;
    const QString above = pathOf(node->parent);
    return above.endsWith(QLatin1Char('/')) ? above + node->name : above + QLatin1Char('/') + node->name;
}

BrowserFolderModel::Node *BrowserFolderModel::find(const QString &path) const
{
    Node *node = m_root->children.front().get();
    for (const QString &name : QDir::cleanPath(path).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        node = child(node, name);
        if (!node)
            return nullptr;
    }
    return node;
}

BrowserFolderModel::Node *BrowserFolderModel::child(Node *node, const QString &name) const
{
    const auto found = std::find_if(node->children.begin(), node->children.end(),
                                    [&name](const auto &each) { return each->name == name; });
    return found == node->children.end() ? nullptr : found->get();
}

BrowserFolderModel::Node *BrowserFolderModel::addChild(Node *node, const QString &name)
{
    appendNew(node, {name});
    sortChildren(node);
    return child(node, name);
}

void BrowserFolderModel::read(Node *node)
{
    node->state = Node::State::Reading;
    node->readAgain = false;
    m_listers.start([this, path = pathOf(node)] {
        const QStringList names = listFolders(path);
        QMetaObject::invokeMethod(
            this, [this, path, names] { takeListing(path, names); }, Qt::QueuedConnection);
    });
}

void BrowserFolderModel::takeListing(const QString &path, const QStringList &names)
{
    Node *node = find(path);
    if (!node) // removed while it was read
        return;
    const QSet<QString> listed(names.cbegin(), names.cend());
    removeVanished(node, listed);
    QSet<QString> known;
    for (const auto &each : node->children)
        known.insert(each->name);
    QStringList fresh;
    for (const QString &name : names) {
        if (!known.contains(name))
            fresh << name;
    }
    appendNew(node, fresh);
    if (node->children.size() > size_t(fresh.size()))
        sortChildren(node);
    node->state = Node::State::Read;
    emit directoryLoaded(path);
    if (node->readAgain)
        read(node);
}

void BrowserFolderModel::removeVanished(Node *node, const QSet<QString> &names)
{
    const QString path = pathOf(node);
    for (int row = int(node->children.size()) - 1; row >= 0; --row) {
        const QString &name = node->children[size_t(row)]->name;
        // A hidden folder the browser went to is not listed but stays while it exists.
        if (names.contains(name) || QFileInfo(QDir(path).filePath(name)).isDir())
            continue;
        beginRemoveRows(indexOf(node), row, row);
        node->children.erase(node->children.begin() + row);
        for (size_t after = size_t(row); after < node->children.size(); ++after)
            node->children[after]->row = int(after);
        endRemoveRows();
    }
}

void BrowserFolderModel::appendNew(Node *node, const QStringList &names)
{
    if (names.isEmpty())
        return;
    const int first = int(node->children.size());
    beginInsertRows(indexOf(node), first, first + int(names.size()) - 1);
    for (const QString &name : names) {
        auto added = std::make_unique<Node>();
        added->name = name;
        added->parent = node;
        added->row = int(node->children.size());
        node->children.push_back(std::move(added));
    }
    endInsertRows();
}

void BrowserFolderModel::sortChildren(Node *node)
{
    const QPersistentModelIndex parent(indexOf(node));
    emit layoutAboutToBeChanged({parent}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList from = persistentIndexList();
    const QCollator collator = browserCollator();
    std::stable_sort(node->children.begin(), node->children.end(), [&collator](const auto &a, const auto &b) {
        return collator.compare(a->name.toCaseFolded(), b->name.toCaseFolded()) < 0;
    });
    for (size_t row = 0; row < node->children.size(); ++row)
        node->children[row]->row = int(row);
    QModelIndexList to;
    for (const QModelIndex &old : from)
        to << createIndex(nodeOf(old)->row, old.column(), nodeOf(old));
    changePersistentIndexList(from, to);
    emit layoutChanged({parent}, QAbstractItemModel::VerticalSortHint);
}
