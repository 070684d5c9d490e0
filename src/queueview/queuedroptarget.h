// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window's drop target: files and folders dragged onto the queue.
#pragma once

#include "engine/dropreader.h"

#include <QObject>

class QMimeData;
class QWidget;

/**
 * Makes a widget (the window's `dropTarget`) take file drops from the
 * browser and from any desktop file manager (file URLs), and hands their
 * paths to the queue's drop reader. Drops are copied, never moved: the
 * source keeps its files. While a rip run holds the queue, drags are
 * refused.
 */
class QueueDropTarget : public QObject
{
    Q_OBJECT

public:
    QueueDropTarget(Queue &queue, const RipSettings &settings, QObject *parent = nullptr);

    /** Starts taking drops on `widget`. */
    void install(QWidget *widget);

    /** How the rename offer for one "New file_id.diz" is asked. */
    void setAsk(QueueFiller::Ask ask) { m_reader.setAsk(std::move(ask)); }

    /** A drop is being read: commands that would change the queue must wait. */
    bool isBusy() const { return m_reader.isBusy(); }

    /** The local paths a drag carries, in order, without a trailing '/'; links to other places are left out. */
    static QStringList droppedPaths(const QMimeData *data);

signals:
    /** A drop was taken: the headers become clickable and the mode picture shows. */
    void dropStarted();
    /** The busy pointer on (true) while drops are read, off when the last one finished. */
    void busyChanged(bool busy);
    /** A drop's finish step: the totals were announced; "Save script as..." and "&Queue" are due. */
    void dropFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool acceptsDrag(const QMimeData *data) const;

    Queue &m_queue;
    DropReader m_reader;
};
