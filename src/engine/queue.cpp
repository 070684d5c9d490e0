// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue: the rows the next rip run packs, and their totals.
#include "engine/queue.h"

#include "engine/ripstate.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <numeric>

namespace {

QString columnText(const QueueItem &item, int column)
{
    switch (column) {
    case Queue::NameColumn: return item.name;
    case Queue::SizeColumn: return item.sizeText();
    case Queue::TypeColumn: return item.typeText();
    case Queue::ModifiedColumn: return item.modifiedText();
    case Queue::PathColumn: return item.path;
    case Queue::InColumn: return placementText(item.in);
    default: return {};
    }
}

// A not-found row has no size and no date: it keys below every row that has.
double sizeKey(const QueueItem &item)
{
    return item.isNotFound() ? -1.0 : item.kilobytes;
}

qint64 modifiedKey(const QueueItem &item)
{
    return item.isNotFound() || !item.modified.isValid() ? std::numeric_limits<qint64>::min()
                                                         : item.modified.toMSecsSinceEpoch();
}

// Sizes line up on their last digit, the header with them.
QVariant sizeAlignment()
{
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

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

QVariant Queue::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QueueItem &row = item(index.row());
    switch (role) {
    case Qt::DisplayRole: return columnText(row, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == SizeColumn)
            return sizeAlignment();
        return {};
    case IconKindRole: return static_cast<int>(row.icon());
    case FullPathRole: return row.fullPath();
    default: return {};
    }
}

QVariant Queue::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const kHeaders[ColumnCount] = {"Name", "Size", "Type", "Modified", "Path", "In"};
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::TextAlignmentRole && section == SizeColumn)
        return sizeAlignment();
    if (role != Qt::DisplayRole)
        return {};
    return QString::fromLatin1(kHeaders[section]);
}

bool Queue::isLocked() const
{
    return m_run && m_run->ripInProgress;
}

bool Queue::refuseWhileLocked() const
{
    Q_ASSERT_X(!isLocked(), "Queue", "the rows changed while a rip run walks them");
    return isLocked();
}

bool Queue::contains(const QString &name, const QString &path) const
{
    return std::any_of(m_items.cbegin(), m_items.cend(),
                       [&](const QueueItem &row) { return row.name == name && row.path == path; });
}

bool Queue::hasDiz() const
{
    return std::any_of(m_items.cbegin(), m_items.cend(), [](const QueueItem &row) { return isDizName(row.name); });
}

QStringList Queue::rowPaths() const
{
    QStringList paths;
    for (const QueueItem &row : m_items)
        paths << row.fullPath();
    return paths;
}

void Queue::append(QueueItem row)
{
    std::vector<QueueItem> rows;
    rows.push_back(std::move(row));
    append(std::move(rows));
}

void Queue::append(std::vector<QueueItem> rows)
{
    if (rows.empty() || refuseWhileLocked())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    for (QueueItem &row : rows) {
        m_totals.totalKB += row.kilobytes;
        m_items.push_back(std::move(row));
    }
    m_totals.count = rowCount();
    endInsertRows();
    announceTotals();
}

void Queue::endBatch()
{
    Q_ASSERT(m_batchDepth > 0);
    if (--m_batchDepth == 0)
        emit totalsChanged();
}

void Queue::announceTotals()
{
    if (m_batchDepth == 0)
        emit totalsChanged();
}

Queue::RemoveOutcome Queue::removeRow(int row)
{
    if (row < 0 || row >= rowCount() || refuseWhileLocked())
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
    announceTotals();
    return emptied ? RemoveOutcome::Emptied : RemoveOutcome::Removed;
}

void Queue::clear()
{
    if (refuseWhileLocked())
        return;
    beginResetModel();
    m_items.clear();
    endResetModel();
    resetTotals();
    m_totals.selectedPath.clear();
    m_totals.selectedPlacement = Placement::None;
    announceTotals();
}

void Queue::resetTotals()
{
    m_totals.count = 0;
    m_totals.totalKB = 0;
}

void Queue::setPlacement(int row, Placement in)
{
    if (row < 0 || row >= rowCount() || m_items[static_cast<size_t>(row)].in == in || refuseWhileLocked())
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
    const bool byValue = column == SizeColumn || column == ModifiedColumn;
    const bool ascending = byValue ? m_sortFlag : !m_sortFlag;
    sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void Queue::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount || refuseWhileLocked())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    applyOrder(sortedOrder(column, order));
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<int> Queue::sortedOrder(int column, Qt::SortOrder order) const
{
    std::function<bool(const QueueItem &, const QueueItem &)> less;
    if (column == SizeColumn)
        less = [](const QueueItem &a, const QueueItem &b) { return sizeKey(a) < sizeKey(b); };
    else if (column == ModifiedColumn)
        less = [](const QueueItem &a, const QueueItem &b) { return modifiedKey(a) < modifiedKey(b); };
    else
        less = [column](const QueueItem &a, const QueueItem &b) {
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
