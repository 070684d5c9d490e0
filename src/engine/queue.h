// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue: the rows the next rip run packs, and their totals.
#pragma once

#include "engine/queueitem.h"
#include "engine/queuetotals.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

struct RipState;

/**
 * The one store of queued rows, as a table model of six columns ("Name",
 * "Size", "Type", "Modified", "Path", "In") whose texts are made from each
 * row's typed values. The totals follow every change; `totalsChanged` tells
 * the window to refresh its panel and the estimate, once per change or once
 * per batch. Rows are added by QueueFiller and re-placed by the placement
 * rules; the rip run only reads them.
 *
 * While a run works (`RipState::ripInProgress`), nothing may change the
 * rows: the commands refuse before they get here, and every changing
 * operation asserts it in debug builds and does nothing in release builds.
 */
class Queue : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn, PathColumn, InColumn, ColumnCount };
    enum Role {
        IconKindRole = Qt::UserRole + 1, ///< the row's IconKind as an int
        FullPathRole, ///< the real path of the row's file or folder
    };
    /** What removing a row did. */
    enum class RemoveOutcome {
        NothingRemoved, ///< no such row
        Removed, ///< rows remain
        Emptied, ///< the last row went: the empty-queue reset is due
        FileMoved, ///< its file was gone: "Queue error, file moved", the queue is cleared
    };

    explicit Queue(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    /** Stable: rows with equal keys keep their order. Size and Modified compare values, not texts. */
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    /** The run whose flag locks the rows; null (the default) never locks. */
    void setRunState(const RipState *state) { m_run = state; }
    /** A run is working: the rows must not change. */
    bool isLocked() const;

    const std::vector<QueueItem> &items() const { return m_items; }
    const QueueItem &item(int row) const { return m_items.at(static_cast<size_t>(row)); }
    const QueueTotals &totals() const { return m_totals; }
    bool isEmpty() const { return m_items.empty(); }

    /** The duplicate rule: a row with exactly this Name and Path exists. */
    bool contains(const QString &name, const QString &path) const;
    /** Whether a row named file_id.diz is queued. */
    bool hasDiz() const;
    /** Every row's full path, in queue order (what a rip script stores). */
    QStringList rowPaths() const;

    /** Appends rows in one insertion; their kilobytes join totalKB. */
    void append(std::vector<QueueItem> rows);
    void append(QueueItem row);
    /**
     * Between these, appends change the rows and the totals but tell no one;
     * the last `endBatch` sends `totalsChanged` once (the finish step of a
     * drop or a script read).
     */
    void beginBatch() { ++m_batchDepth; }
    void endBatch();

    /** Removes a row, taking its size again from disk for the totals. */
    RemoveOutcome removeRow(int row);
    /** Removes every row: totals zero, no selection. */
    void clear();
    /** Rewrites one row's "In". */
    void setPlacement(int row, Placement in);

    /** A row was clicked: the selected fields follow it. */
    void selectRow(int row);
    /** A press in the list or the focus leaving it: no selected path. */
    void clearSelectedPath();

    /**
     * A header click: flips the one direction flag shared by all columns,
     * then sorts. Text columns go descending while the flag is on; Size and
     * Modified go ascending while it is on.
     */
    void sortByHeaderClick(int column);
    /** Headers act as buttons only while there are rows. */
    bool headersClickable() const { return !m_items.empty(); }

signals:
    void totalsChanged();

private:
    bool refuseWhileLocked() const;
    void announceTotals();
    void resetTotals();
    // Old row numbers in their new order.
    std::vector<int> sortedOrder(int column, Qt::SortOrder order) const;
    void applyOrder(const std::vector<int> &oldRows);

    std::vector<QueueItem> m_items;
    QueueTotals m_totals;
    const RipState *m_run = nullptr;
    int m_batchDepth = 0;
    bool m_sortFlag = false;
};
