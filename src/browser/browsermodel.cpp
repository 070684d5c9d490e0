// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one folder's files and folders as the browser list shows them.
#include "browser/browsermodel.h"

#include "browser/browserclipboard.h"
#include "browser/browserfolders.h"

#include "engine/queueitem.h"
#include "platform/shelltype.h"
#include "store/textformat.h"

#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QMimeData>
#include <QStyle>
#include <QUrl>

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn, ColumnCount };

// Long enough to read a few thousand entries, short enough that nobody sees the pause.
constexpr qint64 kSliceMilliseconds = 12;
constexpr qint64 kShowMilliseconds = 400;

} // namespace

BrowserModel::BrowserModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    m_slice.setSingleShot(true);
    connect(&m_slice, &QTimer::timeout, this, &BrowserModel::readSlice);
}

BrowserModel::~BrowserModel() = default;

void BrowserModel::setFolder(const QString &folder)
{
    beginResetModel();
    m_folder = folder;
    m_rows.clear();
    m_rowOf.clear();
    endResetModel();
    m_firstRead = true;
    startReading();
}

void BrowserModel::reload()
{
    if (m_reader) {
        m_readAgain = true; // once this read ends
        return;
    }
    m_firstRead = false;
    startReading();
}

void BrowserModel::startReading()
{
    m_readAgain = false;
    m_incoming.clear();
    m_shown.start();
    m_reader = std::make_unique<QDirIterator>(m_folder, QDir::AllEntries | QDir::NoDotAndDotDot);
    m_slice.start(0);
}

BrowserModel::Entry BrowserModel::entryOf(const QFileInfo &info)
{
    return {info.fileName(), info.isDir() ? 0 : info.size(), info.lastModified(), info.isDir()};
}

void BrowserModel::readSlice()
{
    QElapsedTimer clock;
    clock.start();
    while (m_reader->hasNext() && clock.elapsed() < kSliceMilliseconds)
        m_incoming.push_back(entryOf(m_reader->nextFileInfo()));
    const bool done = !m_reader->hasNext();
    // Every batch of rows makes the list view lay out all its rows again: a few batches a second.
    if (m_firstRead && (done || m_rows.empty() || m_shown.elapsed() >= kShowMilliseconds)) {
        append(std::exchange(m_incoming, {}));
        m_shown.restart();
    }
    if (done)
        finishReading();
    else
        m_slice.start(0);
}

void BrowserModel::finishReading()
{
    m_reader.reset();
    if (!m_firstRead)
        merge(std::move(m_incoming));
    m_incoming.clear();
    sortRows();
    emit loaded();
    if (m_readAgain)
        reload();
}

void BrowserModel::append(std::vector<Entry> entries)
{
    if (entries.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(entries.size()) - 1);
    for (Entry &entry : entries) {
        m_rowOf.insert(entry.name, int(m_rows.size()));
        m_rows.push_back(std::move(entry));
    }
    endInsertRows();
}

void BrowserModel::merge(std::vector<Entry> fresh)
{
    QHash<QString, const Entry *> byName;
    for (const Entry &entry : fresh)
        byName.insert(entry.name, &entry);
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        const Entry *now = byName.value(m_rows[size_t(row)].name);
        if (now) {
            m_rows[size_t(row)] = *now;
            continue;
        }
        beginRemoveRows({}, row, row);
        m_rows.erase(m_rows.begin() + row);
        endRemoveRows();
    }
    indexRows();
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    std::vector<Entry> added;
    for (const Entry &entry : fresh) {
        if (!m_rowOf.contains(entry.name))
            added.push_back(entry);
    }
    append(std::move(added));
}

void BrowserModel::sort(int column, Qt::SortOrder)
{
    m_sortColumn = std::clamp(column, 0, ColumnCount - 1);
    sortRows();
}

std::vector<int> BrowserModel::sortedOrder() const
{
    // Folded first, so README sorts with readme.
    const QCollator collator = browserCollator();
    std::vector<QCollatorSortKey> keys;
    std::vector<QString> types;
    keys.reserve(m_rows.size());
    for (const Entry &entry : m_rows) {
        keys.push_back(collator.sortKey(entry.name.toCaseFolded()));
        if (m_sortColumn == TypeColumn)
            types.push_back(typeName(entry).toCaseFolded());
    }
    auto before = [&](int a, int b) {
        const Entry &x = m_rows[size_t(a)];
        const Entry &y = m_rows[size_t(b)];
        if (x.folder != y.folder)
            return x.folder;
        if (m_sortColumn == SizeColumn && x.size != y.size)
            return x.size < y.size;
        if (m_sortColumn == ModifiedColumn && x.modified != y.modified)
            return x.modified < y.modified;
        if (m_sortColumn == TypeColumn && types[size_t(a)] != types[size_t(b)])
            return types[size_t(a)] < types[size_t(b)];
        return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
    };
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), before);
    return order;
}

void BrowserModel::sortRows()
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current item follow their files to the new rows.
    const QModelIndexList from = persistentIndexList();
    QStringList names;
    for (const QModelIndex &old : from)
        names << m_rows[size_t(old.row())].name;
    std::vector<Entry> sorted;
    sorted.reserve(m_rows.size());
    for (int row : sortedOrder())
        sorted.push_back(std::move(m_rows[size_t(row)]));
    m_rows = std::move(sorted);
    indexRows();
    QModelIndexList to;
    for (int i = 0; i < from.size(); ++i)
        to << index(m_rowOf.value(names.at(i)), from.at(i).column());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void BrowserModel::indexRows()
{
    m_rowOf.clear();
    for (int row = 0; row < int(m_rows.size()); ++row)
        m_rowOf.insert(m_rows[size_t(row)].name, row);
}

QModelIndex BrowserModel::index(const QString &path) const
{
    const QFileInfo info(path);
    if (info.absolutePath() != m_folder || !m_rowOf.contains(info.fileName()))
        return {};
    return index(m_rowOf.value(info.fileName()), NameColumn);
}

QModelIndex BrowserModel::notice(const QString &path)
{
    const QFileInfo info(path);
    if (info.absolutePath() != m_folder || !info.exists())
        return {};
    const auto row = m_rowOf.constFind(info.fileName());
    if (row != m_rowOf.cend()) {
        m_rows[size_t(*row)] = entryOf(info);
        emit dataChanged(index(*row, 0), index(*row, ColumnCount - 1));
        return index(*row, NameColumn);
    }
    append({entryOf(info)});
    sortRows();
    return index(path);
}

QModelIndex BrowserModel::mkdir(const QString &name)
{
    if (!QDir(m_folder).mkdir(name))
        return {};
    return notice(QDir(m_folder).filePath(name));
}

QString BrowserModel::filePath(const QModelIndex &index) const
{
    return index.isValid() ? QDir(m_folder).filePath(fileName(index)) : QString();
}

QString BrowserModel::fileName(const QModelIndex &index) const
{
    return index.isValid() ? m_rows[size_t(index.row())].name : QString();
}

int BrowserModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BrowserModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BrowserModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Entry &entry = m_rows[size_t(index.row())];
    if (role == Qt::DecorationRole && index.column() == NameColumn)
        return icon(entry);
    if (role == Qt::TextAlignmentRole && index.column() == SizeColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case NameColumn: return entry.name;
    case SizeColumn:
        // As the queue shows the same file.
        return entry.folder ? QString() : formatThousands(kilobytes(entry.size)) + QStringLiteral("KB");
    case TypeColumn: return typeName(entry);
    default: return formatModified(entry.modified);
    }
}

QVariant BrowserModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const captions[] = {"Name", "Size", "Type", "Modified"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(captions[section]);
}

Qt::ItemFlags BrowserModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
    return index.column() == NameColumn ? flags | Qt::ItemIsEditable : flags;
}

bool BrowserModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const QString name = value.toString().trimmed();
    if (role != Qt::EditRole || index.column() != NameColumn || name.isEmpty() || name.contains(QLatin1Char('/')))
        return false;
    const QString old = fileName(index);
    QDir folder(m_folder);
    if (name == old || QFileInfo(folder.filePath(name)).exists() || !folder.rename(old, name))
        return false;
    m_rowOf.remove(old);
    m_rows[size_t(index.row())].name = name;
    m_rowOf.insert(name, index.row());
    emit dataChanged(index, index);
    sortRows();
    return true;
}

QStringList BrowserModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData *BrowserModel::mimeData(const QModelIndexList &indexes) const
{
    QStringList paths;
    for (const QModelIndex &index : indexes) {
        if (index.column() == NameColumn)
            paths << filePath(index);
    }
    // Dragged files carry what a file manager's copy carries, so any of them takes the drop.
    return fileClipboardData(paths, false);
}

Qt::DropActions BrowserModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::LinkAction;
}

QString BrowserModel::typeName(const Entry &entry) const
{
    if (entry.folder)
        return kFolderTypeName;
    // Once per ending: a folder of 100,000 files is not looked up file by file.
    // A name without one (README, Makefile) is its own key.
    const QString suffix = QFileInfo(entry.name).completeSuffix();
    const QString key = suffix.isEmpty() ? u'/' + entry.name : suffix;
    auto known = m_typeBySuffix.constFind(key);
    if (known == m_typeBySuffix.cend())
        known = m_typeBySuffix.insert(key, fileTypeName(entry.name));
    return *known;
}

QIcon BrowserModel::icon(const Entry &entry) const
{
    // Without an icon theme the large icons view would be names alone.
    if (entry.folder) {
        return folderIcon(m_icons);
    }
    const QString suffix = QFileInfo(entry.name).completeSuffix();
    auto known = m_iconBySuffix.constFind(suffix);
    if (known == m_iconBySuffix.cend()) {
        QIcon found = m_icons.icon(QFileInfo(QDir(m_folder).filePath(entry.name)));
        if (found.isNull())
            found = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
        known = m_iconBySuffix.insert(suffix, found);
    }
    return *known;
}
