// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue as the main window shows it: the report list `ListView1`.
#pragma once

#include <QTreeView>

class Queue;

/**
 * Six columns on the queue's model with our own icons, whole-row selection,
 * and headers that sort (through the queue's one direction flag) only while
 * the queue has rows. It keeps the queue's selection note: a left or middle
 * press empties it and a press on a row sets it; losing the focus to another
 * control empties it and deselects. What the window must decide is asked
 * by signal.
 */
class QueueView : public QTreeView
{
    Q_OBJECT

public:
    explicit QueueView(Queue &queue, QWidget *parent = nullptr);

    /** The first selected row from the top; -1 when none. */
    int firstSelectedRow() const;

    /**
     * "Open item...": the selected file or folder opened with its default
     * handler; nothing when no row is selected.
     */
    void openSelectedItem();

signals:
    /** A left or middle press on a row (the queue's selection note already follows it). */
    void rowClicked(int row);
    /** A right press on a queue with rows: the "&Queue" menu at `globalPos`. */
    void popupRequested(const QPoint &globalPos);
    /** Delete: remove the selected row. */
    void removeRequested();
    /** Ctrl+C: clear the queue. */
    void clearRequested();
    /** Ctrl+L: "List queue...". */
    void listRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    /** Column widths as fractions of the list's width: Size 1/12, Modified and Path 1/6.5, In 1/7.5. */
    void layoutColumns();
    void updateHeaders();
    void moveByKey(QKeyEvent *event);
    void selectRowUnder(const QPoint &pos);
    void onHeaderClicked(int column);

    Queue &m_queue;
};
