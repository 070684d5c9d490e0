// Varko 2000 — putting one volume into its zip with the numbered diz and the zip rows.
#include "engine/zipstage.h"

#include "engine/placement.h"
#include "platform/plainfile.h"
#include "store/storeresult.h"

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
    m_errorText.clear();
    if (!volume.dizStamp.isEmpty() && !writeNumberedDiz(volume.dizStamp, marker))
        return ZipWriter::ReadError;
    std::vector<ZipWriter::Entry> list = entries(volume);
    // Zip readers take a backslash for a folder separator, as the archivers' readers do.
    for (ZipWriter::Entry &entry : list) {
        if (!entry.entryName.contains(u'\\'))
            continue;
        entry.entryName.replace(u'\\', u'_');
        m_renamed << entry.sourcePath + QStringLiteral(": the name holds a backslash, stored as ") + entry.entryName;
    }
    const int code = m_writer.write(volume.zipPath, list);
    if (code != 0)
        m_errorText = m_writer.lastErrorText();
    return code;
}

// Every file_id.diz row goes in under the one name, so the last row's entry is
// the one a zip keeps: its own file is the one numbered.
bool ZipStage::writeNumberedDiz(const QString &stamp, const DizNumbering::Marker &marker)
{
    const auto row = std::find_if(m_queue.items().crbegin(), m_queue.items().crend(),
                                  [](const QueueItem &item) { return isDizName(item.name); });
    if (row == m_queue.items().crend())
        return true;
    QString why;
    const std::optional<QByteArray> text = readWholeFile(row->fullPath(), &why);
    if (!text) {
        m_errorText = why;
        return false;
    }
    // Renamed over the old copy: a link put at its name is replaced, never written through.
    // The copy is scratch, rewritten for every volume, so it is not synced to disk each time.
    m_errorText = replaceFile(m_numberedDizPath, DizNumbering::numberedCopy(*text, marker, stamp), Durability::Scratch);
    return m_errorText.isEmpty();
}
