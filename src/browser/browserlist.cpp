// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the browser's file list: one place, three view styles.
#include "browser/browserlist.h"

#include "browser/browsermodel.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QTreeView>

BrowserList::BrowserList(QWidget *parent)
    : QStackedWidget(parent)
    , m_iconView(new QListView(this))
    , m_detailsView(new QTreeView(this))
{
    setObjectName(QStringLiteral("fileList"));
    setAccessibleName(QStringLiteral("Files"));
    m_iconView->setAccessibleName(QStringLiteral("Files"));
    m_detailsView->setAccessibleName(QStringLiteral("Files"));
    m_detailsView->setRootIsDecorated(false);
    m_detailsView->setItemsExpandable(false);
    m_detailsView->setUniformRowHeights(true);
    // Laid out in one pass, 100,000 names hold the window for most of a second.
    m_iconView->setLayoutMode(QListView::Batched);
    m_iconView->setBatchSize(2000);
    m_detailsView->header()->setSectionsClickable(false);
    prepare(m_iconView);
    prepare(m_detailsView);
    addWidget(m_iconView);
    addWidget(m_detailsView);
    setViewStyle(List);
}

void BrowserList::prepare(QAbstractItemView *view)
{
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setEditTriggers(QAbstractItemView::EditKeyPressed);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    connect(view, &QAbstractItemView::activated, this, &BrowserList::activated);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint &pos) { emit popupRequested(view->viewport()->mapToGlobal(pos)); });
}

QItemSelectionModel *BrowserList::setBrowserModel(BrowserModel *model)
{
    m_iconView->setModel(model);
    m_detailsView->setModel(model);
    // The details view's own selection model is replaced; it belongs to us to delete.
    QItemSelectionModel *own = m_detailsView->selectionModel();
    m_detailsView->setSelectionModel(m_iconView->selectionModel());
    delete own;
    m_detailsView->setColumnWidth(0, 220);
    m_detailsView->setColumnWidth(1, 90);
    m_detailsView->setColumnWidth(2, 170);
    return m_iconView->selectionModel();
}

QAbstractItemView *BrowserList::currentView() const
{
    return m_style == Details ? static_cast<QAbstractItemView *>(m_detailsView) : m_iconView;
}

void BrowserList::setViewStyle(int style)
{
    if (style != LargeIcons && style != List && style != Details)
        return;
    const bool hadFocus = currentView()->hasFocus();
    m_style = style;
    if (style != Details) {
        const bool large = style == LargeIcons;
        m_iconView->setViewMode(large ? QListView::IconMode : QListView::ListMode);
        m_iconView->setFlow(large ? QListView::LeftToRight : QListView::TopToBottom);
        m_iconView->setWrapping(true);
        m_iconView->setWordWrap(large);
        m_iconView->setResizeMode(QListView::Adjust);
        m_iconView->setMovement(QListView::Static);
        m_iconView->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
        m_iconView->setGridSize(large ? QSize(96, 72) : QSize());
        m_iconView->setSpacing(large ? 0 : 2);
        // The view mode and the movement turn dragging off each time they are set.
        m_iconView->setDragEnabled(true);
        m_iconView->setDragDropMode(QAbstractItemView::DragOnly);
    }
    setCurrentWidget(currentView());
    if (hadFocus)
        currentView()->setFocus();
}

bool BrowserList::pressKey(QAbstractItemView *view, const QKeyEvent *event)
{
    // Keys the name editor let through reach the view too: they are the editor's.
    const QWidget *focus = QApplication::focusWidget();
    if (focus && view->viewport()->isAncestorOf(focus))
        return false;
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter))
        emit keyPressed(Key::Open);
    else if (mods == Qt::NoModifier && key == Qt::Key_Delete)
        emit keyPressed(Key::Delete);
    else if (event->matches(QKeySequence::Copy))
        emit keyPressed(Key::Copy);
    else if (event->matches(QKeySequence::Cut))
        emit keyPressed(Key::Cut);
    else if (event->matches(QKeySequence::Paste))
        emit keyPressed(Key::Paste);
    else if ((mods == Qt::NoModifier && key == Qt::Key_Backspace) || (mods == Qt::AltModifier && key == Qt::Key_Up))
        emit keyPressed(Key::Up);
    else
        return false;
    return true;
}

bool BrowserList::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_iconView || watched == m_detailsView))
        return pressKey(static_cast<QAbstractItemView *>(watched), static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::MouseButtonPress && watched != m_iconView && watched != m_detailsView)
        emit pressed();
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const QWidget *next = QApplication::focusWidget();
        // Alt and a menu letter focus the menu bar first: the user is on the way to a command.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && reason != Qt::MenuBarFocusReason
            && !(next && isAncestorOf(next)))
            emit focusLeft();
    }
    return QStackedWidget::eventFilter(watched, event);
}
