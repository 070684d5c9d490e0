// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — turning dropped paths and a script's rows into queue rows.
#include "engine/queuefiller.h"

#include "engine/placement.h"
#include "store/textformat.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

const QString kNewDizSuffix = QStringLiteral("New file_id.diz");

} // namespace

QueueFiller::QueueFiller(Queue &queue, const RipSettings &settings)
    : m_queue(queue)
    , m_settings(settings)
{
}

void QueueFiller::addDropped(const QStringList &paths, const Ask &ask)
{
    if (!offerRename(paths, ask))
        addRows(newPaths(paths));
}

bool QueueFiller::offerRename(const QStringList &paths, const Ask &ask)
{
    if (paths.size() != 1 || !paths.first().endsWith(kNewDizSuffix))
        return false;
    if (ask(Message::renameNewDiz()) != Message::Answer::Yes)
        return false;
    const QString &path = paths.first();
    const QString folder = getpath(path);
    if (m_queue.contains(kDizName, folder))
        return true;
    const QString renamed = folder + kDizName;
    // QFile::rename refuses to replace an existing file, so neither file is lost;
    // the dropped file is then queued under its own name instead.
    if (!QFile::rename(path, renamed))
        return false;
    if (std::optional<QueueItem> row = QueueItem::fromDisk(renamed, Placement::Zip))
        m_queue.append(std::move(*row));
    return true;
}

QStringList QueueFiller::newPaths(const QStringList &paths) const
{
    // The duplicate test comes first: a path already queued costs no disk access.
    QStringList fresh;
    QSet<QString> seen;
    for (const QString &path : paths) {
        if (m_queue.contains(getfile(path), getpath(path)) || seen.contains(path))
            continue;
        seen.insert(path);
        fresh << path;
    }
    return fresh;
}

void QueueFiller::addRows(const QStringList &freshPaths)
{
    std::vector<QueueItem> rows;
    for (const QString &path : freshPaths) {
        // A path that vanished between drag and drop is skipped; the others go on.
        if (std::optional<QueueItem> row = readRow(path, m_settings))
            rows.push_back(std::move(*row));
    }
    m_queue.append(std::move(rows));
}

std::optional<QueueItem> QueueFiller::readRow(const QString &path, const RipSettings &settings)
{
    return QueueItem::fromDisk(path, defaultPlacement(getfile(path), settings));
}

bool QueueFiller::addScriptRows(const QStringList &rowPaths)
{
    std::vector<QueueItem> rows;
    rows.reserve(static_cast<size_t>(rowPaths.size()));
    for (const QString &path : rowPaths) {
        // A line without a folder is never written by the program: it names nothing.
        const QFileInfo info(path);
        if (!path.contains(u'/') || !info.exists()) {
            rows.push_back(QueueItem::notFound(path));
            continue;
        }
        std::optional<QueueItem> row = readRow(path, m_settings);
        if (!row)
            return false;
        rows.push_back(std::move(*row));
    }
    m_queue.append(std::move(rows));
    return true;
}
