// Varko 2000 — the queue: the rows the next rip run packs, and their totals.
#include "engine/queue.h"

#include "engine/placement.h"
#include "engine/queuesort.h"

#include <algorithm>
#include <functional>
#include <numeric>

Queue::Queue(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int Queue::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_items.size());
}

int Queue::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString Queue::columnText(const QueueItem &item, int column) const
{
    switch (column) {
    case NameColumn: return item.name;
    case SizeColumn: return item.size;
    case TypeColumn: return item.type;
    case ModifiedColumn: return item.modified;
    case PathColumn: return item.path;
    case InColumn: return item.in;
    default: return {};
    }
}

QVariant Queue::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const QueueItem &row = item(index.row());
    switch (role) {
    case Qt::DisplayRole: return columnText(row, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == SizeColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case IconKindRole: return static_cast<int>(row.icon);
    case FullPathRole: return row.fullPath();
    default: return {};
    }
}

QVariant Queue::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const kHeaders[ColumnCount] = {"Name", "Size", "Type", "Modified", "Path", "In"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(kHeaders[section]);
}

bool Queue::contains(const QString &name, const QString &path) const
{
    return std::any_of(m_items.cbegin(), m_items.cend(),
                       [&](const QueueItem &row) { return row.name == name && row.path == path; });
}

bool Queue::hasDiz() const
{
    return std::any_of(m_items.cbegin(), m_items.cend(),
                       [](const QueueItem &row) { return isDizName(row.name); });
}

QStringList Queue::rowPaths() const
{
    QStringList paths;
    for (const QueueItem &row : m_items)
        paths << row.fullPath();
    return paths;
}

void Queue::append(QueueItem item)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    if (!item.isNotFound())
        m_totals.totalKB += item.kilobytes;
    m_items.push_back(std::move(item));
    m_totals.count = rowCount();
    endInsertRows();
    emit totalsChanged();
}

Queue::RemoveOutcome Queue::removeRow(int row)
{
    if (row < 0 || row >= rowCount())
        return RemoveOutcome::NothingRemoved;
    const QueueItem &target = item(row);
    if (!target.isNotFound()) {
        // The size is read again: the file may have changed since it was queued.
        const std::optional<qint64> bytes = bytesOnDisk(target.fullPath());
        if (!bytes) {
            clear();
            return RemoveOutcome::FileMoved;
        }
        m_totals.totalKB -= kilobytes(*bytes);
        m_totals.selectedPath.clear();
    }
    beginRemoveRows({}, row, row);
    m_items.erase(m_items.begin() + row);
    m_totals.count -= 1;
    endRemoveRows();
    const bool emptied = m_totals.count == 0;
    if (emptied)
        resetTotals();
    emit totalsChanged();
    return emptied ? RemoveOutcome::Emptied : RemoveOutcome::Removed;
}

void Queue::clear()
{
    beginResetModel();
    m_items.clear();
    endResetModel();
    resetTotals();
    m_totals.selectedPath.clear();
    m_totals.selectedPlacement.clear();
    emit totalsChanged();
}

void Queue::resetTotals()
{
    m_totals.count = 0;
    m_totals.totalKB = 0;
}

void Queue::setPlacement(int row, const QString &in)
{
    if (row < 0 || row >= rowCount() || m_items[static_cast<size_t>(row)].in == in)
        return;
    m_items[static_cast<size_t>(row)].in = in;
    const QModelIndex cell = index(row, InColumn);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void Queue::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QueueItem &selected = item(row);
    m_totals.selectedPath = selected.fullPath();
    m_totals.selectedPlacement = selected.in;
    m_totals.selectedName = selected.name;
    m_totals.selectedIsDiz = isDizName(selected.name);
}

void Queue::clearSelectedPath()
{
    m_totals.selectedPath.clear();
}

void Queue::sortByHeaderClick(int column)
{
    if (!headersClickable())
        return;
    m_sortFlag = !m_sortFlag;
    const bool numeric = column == SizeColumn || column == ModifiedColumn;
    const bool ascending = numeric ? m_sortFlag : !m_sortFlag;
    sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void Queue::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    applyOrder(sortedOrder(column, order));
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<int> Queue::sortedOrder(int column, Qt::SortOrder order) const
{
    std::function<bool(const QueueItem &, const QueueItem &)> less;
    if (column == SizeColumn)
        less = [](const QueueItem &a, const QueueItem &b) { return sizeSortKey(a.size) < sizeSortKey(b.size); };
    else if (column == ModifiedColumn)
        less = [](const QueueItem &a, const QueueItem &b) {
            return modifiedSortKey(a.modified) < modifiedSortKey(b.modified);
        };
    else
        less = [this, column](const QueueItem &a, const QueueItem &b) {
            return columnText(a, column).compare(columnText(b, column), Qt::CaseInsensitive) < 0;
        };
    std::vector<int> rows(m_items.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const QueueItem &x = item(a);
        const QueueItem &y = item(b);
        return order == Qt::AscendingOrder ? less(x, y) : less(y, x);
    });
    return rows;
}

void Queue::applyOrder(const std::vector<int> &oldRows)
{
    std::vector<QueueItem> sorted;
    sorted.reserve(oldRows.size());
    std::vector<int> newRowOf(oldRows.size());
    for (size_t i = 0; i < oldRows.size(); ++i) {
        sorted.push_back(std::move(m_items[static_cast<size_t>(oldRows[i])]));
        newRowOf[static_cast<size_t>(oldRows[i])] = static_cast<int>(i);
    }
    m_items = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &old : before)
        after << index(newRowOf[static_cast<size_t>(old.row())], old.column());
    changePersistentIndexList(before, after);
}
