// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — adding dropped files and folders to the queue without stalling the window.
#pragma once

#include "engine/queuefiller.h"

#include <QObject>
#include <QQueue>
#include <QThreadPool>

#include <atomic>
#include <memory>

/**
 * The drop handler behind the window's drop target. A drop is a list of
 * full paths; each new one becomes a row, in drop order. The rename offer
 * is asked at once; sizes (a folder's walk can take long), types and times
 * are read on a worker thread while the window keeps painting, and rows are
 * appended in chunks inside one queue batch, so the totals and the estimate
 * are refreshed once, when the drop finishes. Drops that arrive meanwhile
 * wait their turn.
 */
class DropReader : public QObject
{
    Q_OBJECT

public:
    DropReader(Queue &queue, const RipSettings &settings, QObject *parent = nullptr);
    /** Stops reading; rows not yet appended are dropped. */
    ~DropReader() override;

    /** How the rename offer is asked; without it the answer is No. */
    void setAsk(QueueFiller::Ask ask) { m_ask = std::move(ask); }

    /** Takes a drop; false (nothing done) while a rip run holds the queue. */
    bool drop(const QStringList &paths);
    /** A drop is being read: Pack It and script commands must wait. */
    bool isBusy() const { return m_busy; }

signals:
    /** True when the first of a series of drops starts (busy pointer), false when the last finished. */
    void busyChanged(bool busy);
    /** One drop's finish step ran (the totals were announced). */
    void dropFinished();

private:
    void startNext();
    void readInBackground(const QStringList &paths);
    void receive(std::vector<QueueItem> rows, bool last);
    void finishDrop();

    Queue &m_queue;
    const RipSettings &m_settings;
    QueueFiller::Ask m_ask;
    QQueue<QStringList> m_waiting;
    bool m_busy = false;
    bool m_reading = false;
    QThreadPool m_pool;
    std::shared_ptr<std::atomic_bool> m_stop = std::make_shared<std::atomic_bool>(false);
};
