// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue's pane, whose top edge the user drags to make it taller.
#include "queueview/queuepane.h"

#include <QMouseEvent>
#include <QVBoxLayout>

namespace {
constexpr int kEdge = 4; // pixels of the draggable strip above the view
}

QueuePane::QueuePane(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("queueSplitter"));
    setAccessibleName(QStringLiteral("Queue pane"));
    setCursor(Qt::SplitVCursor);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, kEdge, 0, 0);
}

void QueuePane::setView(QWidget *view)
{
    if (m_view == view)
        return;
    delete m_view;
    m_view = view;
    if (view) {
        view->setParent(this);
        view->unsetCursor();
        layout()->addWidget(view);
        view->show();
    }
}

void QueuePane::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragY = event->globalPosition().toPoint().y();
}

void QueuePane::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragY < 0)
        return;
    const int y = event->globalPosition().toPoint().y();
    if (y != m_dragY)
        emit topEdgeDragged(y - m_dragY);
    m_dragY = y;
}

void QueuePane::mouseReleaseEvent(QMouseEvent *)
{
    m_dragY = -1;
}
