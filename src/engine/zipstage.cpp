// Varko 2000 — putting one volume into its zip with the numbered diz and the zip rows.
#include "engine/zipstage.h"

#include "engine/placement.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>


ZipStage::ZipStage(const Queue &queue, ZipWriter &writer, QString numberedDizPath)
    : m_queue(queue)
    , m_writer(writer)
    , m_numberedDizPath(std::move(numberedDizPath))
{
}

std::vector<ZipWriter::Entry> ZipStage::entries(const ZipVolume &volume) const
{
    std::vector<ZipWriter::Entry> list{{volume.volumePath, QFileInfo(volume.volumePath).fileName()}};
    for (const QueueItem &row : m_queue.items()) {
        if (isDizName(row.name) && !volume.dizStamp.isEmpty())
            list.push_back({m_numberedDizPath, kDizName});
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

int ZipStage::zipVolume(const ZipVolume &volume, const DizNumbering::Marker &marker)
{
    if (!volume.dizStamp.isEmpty() && !writeNumberedDiz(volume.dizStamp, marker))
        return ZipWriter::ReadError;
    return m_writer.write(volume.zipPath, entries(volume));
}

bool ZipStage::writeNumberedDiz(const QString &stamp, const DizNumbering::Marker &marker)
{
    const auto row = std::find_if(m_queue.items().cbegin(), m_queue.items().cend(),
                                  [](const QueueItem &item) { return isDizName(item.name); });
    if (row == m_queue.items().cend())
        return true;
    QFile source(row->fullPath());
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = source.readAll();
    // A read-only copy left by an earlier run must not stop this one. The copy is
    // scratch, rewritten for every volume, so it is not synced to disk each time.
    QFile::setPermissions(m_numberedDizPath, QFile::permissions(m_numberedDizPath) | QFile::WriteOwner);
    QFile copy(m_numberedDizPath);
    const QByteArray numbered = DizNumbering::numberedCopy(text, marker, stamp);
    return copy.open(QIODevice::WriteOnly | QIODevice::Truncate) && copy.write(numbered) == numbered.size()
           && copy.flush();
}
