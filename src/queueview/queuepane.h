// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue's pane, whose top edge the user drags to make it taller.
#pragma once

#include <QPointer>
#include <QWidget>

/** Holds one view below a thin strip; dragging the strip reports how far it moved. */
class QueuePane : public QWidget
{
    Q_OBJECT

public:
    explicit QueuePane(QWidget *parent = nullptr);

    QWidget *view() const { return m_view; }
    /** Shows `view` in the pane; the one shown before is deleted. */
    void setView(QWidget *view);

signals:
    /** The top edge moved by `dy` pixels, down for positive. */
    void topEdgeDragged(int dy);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointer<QWidget> m_view;
    int m_dragY = -1;
};
