// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue as the main window shows it: the report list `ListView1`.
#include "queueview/queueview.h"

#include "engine/queue.h"

#include <QDesktopServices>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QUrl>

#include <algorithm>

namespace {

QIcon iconFor(IconKind kind)
{
    // The desktop's theme where a standard name fits, our own pictures otherwise.
    switch (kind) {
    case IconKind::Folder:
        return QIcon::fromTheme(QStringLiteral("folder"), QIcon(QStringLiteral(":/queue/folder.svg")));
    case IconKind::DiscImage:
        return QIcon::fromTheme(QStringLiteral("media-optical"), QIcon(QStringLiteral(":/queue/disc.svg")));
    case IconKind::Description: return QIcon(QStringLiteral(":/queue/description.svg"));
    case IconKind::Missing: return QIcon(QStringLiteral(":/queue/missing.svg"));
    case IconKind::File: break;
    }
    return QIcon::fromTheme(QStringLiteral("text-x-generic"), QIcon(QStringLiteral(":/queue/file.svg")));
}

// The Name column draws the row's icon; the model only names its kind.
class QueueIconDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() != Queue::NameColumn)
            return;
        option->icon = iconFor(static_cast<IconKind>(index.data(Queue::IconKindRole).toInt()));
        option->features |= QStyleOptionViewItem::HasDecoration;
    }
};

} // namespace

QueueView::QueueView(Queue &queue, QWidget *parent)
    : QTreeView(parent)
    , m_queue(queue)
{
    setObjectName(QStringLiteral("ListView1"));
    setAccessibleName(QStringLiteral("Queue"));
    setModel(&queue);
    setItemDelegate(new QueueIconDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    header()->setSortIndicatorShown(false);
    header()->setHighlightSections(false);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this, &QueueView::onHeaderClicked);
    connect(&queue, &QAbstractItemModel::rowsInserted, this, &QueueView::updateHeaders);
    connect(&queue, &QAbstractItemModel::rowsRemoved, this, &QueueView::updateHeaders);
    connect(&queue, &QAbstractItemModel::modelReset, this, &QueueView::updateHeaders);
    updateHeaders();
}

int QueueView::firstSelectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return -1;
    return std::min_element(rows.cbegin(), rows.cend(),
                            [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); })
        ->row();
}

void QueueView::layoutColumns()
{
    const double width = viewport()->width();
    // The fraction was made for a smaller font; a size up to 9,999,999KB (a 10 GB file) stays readable whole.
    const int sizeText = fontMetrics().horizontalAdvance(QStringLiteral("9,999,999KB"))
        + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 6;
    setColumnWidth(Queue::SizeColumn, std::max(int(width / 12), sizeText));
    setColumnWidth(Queue::ModifiedColumn, int(width / 6.5));
    setColumnWidth(Queue::PathColumn, int(width / 6.5));
    setColumnWidth(Queue::InColumn, int(width / 7.5));
}

void QueueView::openSelectedItem()
{
    const QString path = m_queue.totals().selectedPath;
    if (firstSelectedRow() < 0 || path.isEmpty())
        return;
    // What the handler makes of it (a file gone meanwhile included) is its own business.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QueueView::updateHeaders()
{
    // Flat and dead while the queue is empty, buttons while it has rows.
    header()->setSectionsClickable(m_queue.headersClickable());
}

void QueueView::onHeaderClicked(int column)
{
    if (m_queue.headersClickable() && !m_queue.isLocked())
        m_queue.sortByHeaderClick(column);
}

void QueueView::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() == Qt::ControlModifier;
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier)
        emit removeRequested();
    else if (ctrl && event->key() == Qt::Key_C)
        emit clearRequested();
    else if (ctrl && event->key() == Qt::Key_L)
        emit listRequested();
    else
        moveByKey(event);
}

void QueueView::moveByKey(QKeyEvent *event)
{
    const int before = currentIndex().row();
    QTreeView::keyPressEvent(event);
    // A row reached with the arrow keys is selected as a click selects it, so the keyboard alone can place it.
    const int row = currentIndex().row();
    if (row >= 0 && row != before && firstSelectedRow() >= 0) {
        m_queue.selectRow(row);
        emit rowClicked(row);
    }
}

void QueueView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        if (m_queue.isEmpty())
            return;
        selectRowUnder(event->position().toPoint());
        if (firstSelectedRow() < 0)
            m_queue.clearSelectedPath();
        emit popupRequested(event->globalPosition().toPoint());
        return;
    }
    m_queue.clearSelectedPath();
    QTreeView::mousePressEvent(event);
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (pressed.isValid()) {
        m_queue.selectRow(pressed.row());
        emit rowClicked(pressed.row());
    }
}

void QueueView::selectRowUnder(const QPoint &pos)
{
    // The pop-up acts on the row under the pointer, as in any file manager; on
    // the empty part of the list the selection stays as it was.
    const QModelIndex at = indexAt(pos);
    if (!at.isValid() || selectionModel()->isRowSelected(at.row(), QModelIndex()))
        return;
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_queue.selectRow(at.row());
    emit rowClicked(at.row());
}

void QueueView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        openSelectedItem();
}

void QueueView::focusOutEvent(QFocusEvent *event)
{
    QTreeView::focusOutEvent(event);
    // A pop-up menu or another program taking the focus leaves the selection be.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    m_queue.clearSelectedPath();
    clearSelection();
}

void QueueView::resizeEvent(QResizeEvent *event)
{
    // The widths are fractions of the list's width: every resize, the first
    // show and a maximised or restored window among them, applies them again.
    QTreeView::resizeEvent(event);
    layoutColumns();
}
