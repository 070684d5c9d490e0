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

std::vector<ZipWriter::Entry> ZipStage::entries(const ZipVolume &volume) const
{
    std::vector<ZipWriter::Entry> list{{volume.volumePath, QFileInfo(volume.volumePath).fileName()}};
    for (const QueueItem &row : m_queue.items()) {
        if (isDizName(row.name) && !volume.dizStamp.isEmpty())
            list.push_back({volume.dizCopyPath, kDizName});
        else if (row.in == Placement::Zip || (row.in == Placement::FirstZipOnly && volume.index == 1))
            appendRow(list, row);
    }
    return list;
}

void ZipStage::appendRow(std::vector<ZipWriter::Entry> &entries, const QueueItem &row) const
{
    const QString path = row.fullPath();
    if (!QFileInfo(path).isDir()) {
        // A file that has gone is still handed over: the writer's code decides.
        entries.push_back({path, row.name});
        return;
    }
    const QDir folder(path);
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        entries.push_back({file, row.name + u'/' + folder.relativeFilePath(file)});
    }
}

ZipPool::Job ZipStage::job(const ZipVolume &volume, const DizNumbering::Marker &marker)
{
    ZipPool::Job job;
    job.zipPath = volume.zipPath;
    if (!volume.dizStamp.isEmpty()) {
        job.failureText = writeNumberedDiz(volume, marker);
        if (!job.failureText.isEmpty()) {
            job.failure = ZipWriter::ReadError;
            return job;
        }
    }
    job.entries = entries(volume);
    // Zip readers take a backslash for a folder separator, as the archivers' readers do.
    for (ZipWriter::Entry &entry : job.entries) {
        if (!entry.entryName.contains(u'\\'))
            continue;
        entry.entryName.replace(u'\\', u'_');
        const QString line = entry.sourcePath + QStringLiteral(": the name holds a backslash, stored as ") + entry.entryName;
        if (!m_renamed.contains(line))
            m_renamed << line;
    }
    return job;
}

// Every file_id.diz row goes in under the one name, so the last row's entry is
// the one a zip keeps: its own file is the one numbered. Returns why it failed.
QString ZipStage::writeNumberedDiz(const ZipVolume &volume, const DizNumbering::Marker &marker) const
{
    const auto row = std::find_if(m_queue.items().crbegin(), m_queue.items().crend(),
                                  [](const QueueItem &item) { return isDizName(item.name); });
    if (row == m_queue.items().crend())
        return {};
    QString why;
    const std::optional<QByteArray> text = readWholeFile(row->fullPath(), &why);
    if (!text)
        return why;
    // Each volume has its own copy, so zips written at once never share one. Renamed
    // into place: a link put at its name is replaced, never written through. The copy
    // is scratch, gone when its zip is, so it is not synced to disk.
    return replaceFile(volume.dizCopyPath, DizNumbering::numberedCopy(*text, marker, volume.dizStamp), Durability::Scratch);
}
