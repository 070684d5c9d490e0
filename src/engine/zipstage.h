// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — putting one volume into its zip with the numbered diz and the zip rows.
#pragma once

#include "engine/diznumbering.h"
#include "engine/queue.h"
#include "platform/filestamp.h"
#include "zip/zippool.h"
#include "zip/zipwriter.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

/** One volume to zip. */
struct ZipVolume
{
    QString volumePath; ///< the volume in the work folder
    QString zipPath; ///< the zip's full name, ".zip" included
    int index = 1; ///< 1-based
    QString dizStamp; ///< "03/05"; empty when the diz is not numbered
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

    /** The entries of one zip, in order; `numberedDiz` is the diz's numbered text, when numbered. */
    std::vector<ZipWriter::Entry> entries(const ZipVolume &volume,
                                          const std::optional<QByteArray> &numberedDiz = std::nullopt) const;

    /**
     * The zip to write, with the volume's numbered copy of the diz when it
     * has a stamp; a diz that cannot be read is the job's failure. The
     * volume is scratch the zip may take over.
     */
    ZipPool::Job job(const ZipVolume &volume, const DizNumbering::Marker &marker);
    /** Entries stored under another name than their file's, one line each. */
    const QStringList &renamed() const { return m_renamed; }

    /**
     * Stamps every file of the queue the zips read (for a `numbered` diz,
     * the file it is numbered from), before the first zip is handed out.
     */
    void watchSources(bool numbered);
    /** A warning for each watched file that is not as it was stamped: the zips may hold two versions of it. */
    QStringList changedSources() const;

private:
    /** Each source file's path, its name in the zips and its stamp. */
    using Stamps = std::map<QString, std::pair<QString, FileStamp>>;
    Stamps stampSources() const;
    std::optional<QByteArray> numberedDiz(const ZipVolume &volume, const DizNumbering::Marker &marker,
                                          QString &why) const;
    const QueueItem *numberedDizRow() const;
    void appendRows(std::vector<ZipWriter::Entry> &entries, int index,
                    const std::optional<ZipWriter::Entry> &numberedDiz) const;
    void appendRow(std::vector<ZipWriter::Entry> &entries, const QueueItem &row) const;

    const Queue &m_queue;
    QStringList m_renamed;
    bool m_numberedSources = false;
    Stamps m_watched;
};
