// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — putting one volume into its zip with the numbered diz and the zip rows.
#include "engine/zipstage.h"

#include "engine/placement.h"
#include "platform/plainfile.h"
#include "store/storeresult.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

ZipStage::ZipStage(const Queue &queue)
    : m_queue(queue)
{
}

std::vector<ZipWriter::Entry> ZipStage::entries(const ZipVolume &volume,
                                                const std::optional<QByteArray> &numberedDiz) const
{
    std::vector<ZipWriter::Entry> list{{volume.volumePath, QFileInfo(volume.volumePath).fileName()}};
    const QueueItem *diz = numberedDiz ? numberedDizRow() : nullptr;
    appendRows(list, volume.index,
               diz ? std::optional<ZipWriter::Entry>({diz->fullPath(), kDizName, numberedDiz}) : std::nullopt);
    return list;
}

// The rows zip `index` takes; every file_id.diz row as `numberedDiz` when there is one.
void ZipStage::appendRows(std::vector<ZipWriter::Entry> &entries, int index,
                          const std::optional<ZipWriter::Entry> &numberedDiz) const
{
    for (const QueueItem &row : m_queue.items()) {
        if (isDizName(row.name) && numberedDiz)
            entries.push_back(*numberedDiz);
        else if (row.in == Placement::Zip || (row.in == Placement::FirstZipOnly && index == 1))
            appendRow(entries, row);
    }
}

void ZipStage::appendRow(std::vector<ZipWriter::Entry> &entries, const QueueItem &row) const
{
    const QString path = row.fullPath();
    if (!QFileInfo(path).isDir()) {
        // A file that has gone is still handed over: the writer's code decides.
        entries.emplace_back(path, row.name);
        return;
    }
    const QDir folder(path);
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        entries.emplace_back(file, row.name + u'/' + folder.relativeFilePath(file));
    }
}

ZipPool::Job ZipStage::job(const ZipVolume &volume, const DizNumbering::Marker &marker)
{
    ZipPool::Job job;
    job.zipPath = volume.zipPath;
    job.takesFirstFile = true;
    std::optional<QByteArray> diz;
    if (!volume.dizStamp.isEmpty() && !(diz = numberedDiz(volume, marker, job.failureText))) {
        job.failure = ZipWriter::ReadError;
        return job;
    }
    job.entries = entries(volume, diz);
    // Zip readers take a backslash for a folder separator, as the archivers' readers do.
    for (ZipWriter::Entry &entry : job.entries) {
        if (!entry.entryName.contains(u'\\'))
            continue;
        entry.entryName.replace(u'\\', u'_');
        const QString line =
            entry.sourcePath + QStringLiteral(": the name holds a backslash, stored as ") + entry.entryName;
        if (!m_renamed.contains(line))
            m_renamed << line;
    }
    return job;
}

// Every file_id.diz row goes in under the one name, so the last row's entry is
// the one a zip keeps: its own file is the one numbered.
const QueueItem *ZipStage::numberedDizRow() const
{
    const auto row = std::find_if(m_queue.items().crbegin(), m_queue.items().crend(),
                                  [](const QueueItem &item) { return isDizName(item.name); });
    return row == m_queue.items().crend() ? nullptr : &*row;
}

// The volume's own numbered text of the diz, held for its zip alone; none, with `why`, when the diz cannot be read.
std::optional<QByteArray> ZipStage::numberedDiz(const ZipVolume &volume, const DizNumbering::Marker &marker,
                                                QString &why) const
{
    const QueueItem *row = numberedDizRow();
    if (!row)
        return QByteArray();
    const std::optional<QByteArray> text = readWholeFile(row->fullPath(), &why);
    if (!text)
        return std::nullopt;
    return DizNumbering::numberedCopy(*text, marker, volume.dizStamp);
}

// The first zip takes every file any zip takes, a queued folder's as it holds
// them now. Stamps are compared, not the files held or read again: the zips
// stay as they are, memory stays flat.
ZipStage::Stamps ZipStage::stampSources() const
{
    const QueueItem *diz = m_numberedSources ? numberedDizRow() : nullptr;
    std::vector<ZipWriter::Entry> sources;
    appendRows(sources, 1, diz ? std::optional<ZipWriter::Entry>({diz->fullPath(), kDizName}) : std::nullopt);
    Stamps stamps; // every file_id.diz row names the one numbered file: one stamp
    for (const ZipWriter::Entry &source : sources)
        stamps.try_emplace(source.sourcePath, source.entryName, fileStamp(source.sourcePath));
    return stamps;
}

void ZipStage::watchSources(bool numbered)
{
    m_numberedSources = numbered;
    m_watched = stampSources();
}

// A file changed, gone, or new in a queued folder: some zips were written without it as it is now.
QStringList ZipStage::changedSources() const
{
    const Stamps now = stampSources();
    QStringList names;
    for (const auto &[path, was] : m_watched)
        if (const auto is = now.find(path); is == now.cend() || is->second.second != was.second)
            names << was.first;
    for (const auto &[path, is] : now)
        if (!m_watched.contains(path))
            names << is.first;
    QStringList warnings;
    for (const QString &name : names)
        warnings << name + QStringLiteral(" changed while the zips were written: the zips may hold different versions");
    return warnings;
}
