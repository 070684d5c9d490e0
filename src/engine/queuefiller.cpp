// Varko 2000 — turning dropped paths and a script's rows into queue rows.
#include "engine/queuefiller.h"

#include "engine/placement.h"
#include "store/textformat.h"

#include <QFile>
#include <QFileInfo>

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
    if (paths.size() == 1 && paths.first().endsWith(kNewDizSuffix) && offerRename(paths.first(), ask))
        return;
    for (const QString &path : paths)
        addPath(path);
}

// True when the offer took care of the drop (Yes, and renamed or already queued).
bool QueueFiller::offerRename(const QString &path, const Ask &ask)
{
    if (ask(Message::renameNewDiz()) != Message::Answer::Yes)
        return false;
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

void QueueFiller::addPath(const QString &path)
{
    // The duplicate test first: a path already queued costs no disk access.
    if (m_queue.contains(getfile(path), getpath(path)))
        return;
    if (std::optional<QueueItem> row = QueueItem::fromDisk(path, defaultPlacement(getfile(path), m_settings)))
        m_queue.append(std::move(*row));
}

void QueueFiller::addScriptRows(const QStringList &rowPaths)
{
    for (const QString &path : rowPaths) {
        // A line without a folder is never written by the program: it names nothing.
        const bool hasFolder = path.contains(u'/');
        std::optional<QueueItem> row;
        if (hasFolder && QFileInfo::exists(path))
            row = QueueItem::fromDisk(path, defaultPlacement(getfile(path), m_settings));
        m_queue.append(row ? std::move(*row) : QueueItem::notFound(path));
    }
}
