// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — adding dropped files and folders to the queue without stalling the window.
#include "engine/dropreader.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>

namespace {

// Rows go to the window about as often as it paints; more often only costs layout.
constexpr qint64 kChunkIntervalMs = 40;

// A few files cost a few stat calls: read at once, without a trip to the worker.
// A folder's walk has no bound, so any folder goes to the worker.
constexpr qsizetype kQuickPathCount = 32;

bool isQuickToRead(const QStringList &paths)
{
    return paths.size() <= kQuickPathCount
        && std::none_of(paths.cbegin(), paths.cend(), [](const QString &path) { return QFileInfo(path).isDir(); });
}

} // namespace

DropReader::DropReader(Queue &queue, const RipSettings &settings, QObject *parent)
    : QObject(parent)
    , m_queue(queue)
    , m_settings(settings)
{
    // One worker: drops are read one after the other, so rows keep drop order.
    m_pool.setMaxThreadCount(1);
}

DropReader::~DropReader()
{
    m_stop->store(true);
    m_pool.waitForDone();
    if (m_reading)
        m_queue.endBatch();
}

bool DropReader::drop(const QStringList &paths)
{
    if (m_queue.isLocked())
        return false;
    m_waiting.enqueue(paths);
    if (!m_busy) {
        m_busy = true;
        emit busyChanged(true);
        startNext();
    }
    return true;
}

void DropReader::startNext()
{
    if (m_waiting.isEmpty()) {
        m_busy = false;
        emit busyChanged(false);
        return;
    }
    const QStringList paths = m_waiting.dequeue();
    m_queue.beginBatch();
    m_reading = true;
    QueueFiller filler(m_queue, m_settings);
    const QueueFiller::Ask ask = m_ask ? m_ask : [](const Message &) { return Message::Answer::No; };
    if (filler.offerRename(paths, ask)) {
        finishDrop();
        return;
    }
    const QStringList fresh = filler.newPaths(paths);
    if (!isQuickToRead(fresh)) {
        readInBackground(fresh);
        return;
    }
    filler.addRows(fresh);
    finishDrop();
}

void DropReader::readInBackground(const QStringList &paths)
{
    // The settings are taken as they are at the drop: the rows' placement is decided now.
    m_pool.start([this, paths, settings = m_settings, stop = m_stop] {
        std::vector<QueueItem> chunk;
        QElapsedTimer sinceSent;
        sinceSent.start();
        for (qsizetype i = 0; i < paths.size() && !stop->load(); ++i) {
            if (std::optional<QueueItem> row = QueueFiller::readRow(paths.at(i), settings))
                chunk.push_back(std::move(*row));
            const bool last = i + 1 == paths.size();
            if (last || sinceSent.hasExpired(kChunkIntervalMs)) {
                QMetaObject::invokeMethod(
                    this, [this, rows = std::move(chunk), last]() mutable { receive(std::move(rows), last); },
                    Qt::QueuedConnection);
                chunk = {};
                sinceSent.restart();
            }
        }
    });
}

void DropReader::receive(std::vector<QueueItem> rows, bool last)
{
    m_queue.append(std::move(rows));
    if (last)
        finishDrop();
}

void DropReader::finishDrop()
{
    m_reading = false;
    m_queue.endBatch();
    emit dropFinished();
    startNext();
}
