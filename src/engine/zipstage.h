// Varko 2000 — putting one volume into its zip with the numbered diz and the zip rows.
#pragma once

#include "engine/diznumbering.h"
#include "engine/queue.h"
#include "zip/zippool.h"
#include "zip/zipwriter.h"

#include <QString>
#include <QStringList>

#include <vector>

/** One volume to zip. */
struct ZipVolume
{
    QString volumePath; ///< the volume in the work folder
    QString zipPath;    ///< the zip's full name, ".zip" included
    int index = 1;      ///< 1-based
    QString dizStamp;   ///< "03/05"; empty when the diz is not numbered
    QString dizCopyPath; ///< where this volume's numbered copy of the diz is written
};

/**
 * Fills a zip in this order: the volume, then the queue's rows in queue
 * order: the numbered diz at the file_id.diz row's place while numbering,
 * every "Zip" row, and in the first zip every "1st Zip only" row. Folders
 * go in with their contents under the folder's name.
 */
class ZipStage
{
public:
    explicit ZipStage(const Queue &queue);

    /** The entries of one zip, in order. */
    std::vector<ZipWriter::Entry> entries(const ZipVolume &volume) const;

    /**
     * Writes the volume's numbered copy (when it has a stamp) and returns the
     * zip to write; a copy that cannot be made is the job's failure.
     */
    ZipPool::Job job(const ZipVolume &volume, const DizNumbering::Marker &marker);
    /** Entries stored under another name than their file's, one line each. */
    const QStringList &renamed() const { return m_renamed; }

private:
    QString writeNumberedDiz(const ZipVolume &volume, const DizNumbering::Marker &marker) const;
    void appendRow(std::vector<ZipWriter::Entry> &entries, const QueueItem &row) const;

    const Queue &m_queue;
    QStringList m_renamed;
};
