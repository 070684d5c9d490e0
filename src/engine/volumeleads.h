// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — zips made while the archiver writes on: each finished volume put into its zip at once.
#pragma once

#include "zip/zippool.h"
#include "zip/zipwriter.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

/**
 * The archiver writes its volumes one after another, so a volume is whole
 * once the next one exists. Its zip is then begun on a thread of its own
 * while the archiver works on: the volume becomes the zip's stored first
 * entry, taken over in place where the zip's folder is on the same file
 * system, else copied. When the volume count is known (the archiver says
 * it), the zip is written whole; otherwise the rest (the numbered diz needs
 * the count) is added after the archiver has ended well. A zip stays under
 * its temporary name until then; when this goes, a zip nobody took goes
 * too, its volume given back.
 */
class VolumeLeads
{
public:
    /** Zips written whole get `comment` (the empty text: none). */
    explicit VolumeLeads(QString comment);
    ~VolumeLeads();
    VolumeLeads(const VolumeLeads &) = delete;
    VolumeLeads &operator=(const VolumeLeads &) = delete;

    /**
     * Volume `index` at `volumePath` is whole: its zip at `job.zipPath` is
     * begun in turn, and written whole when `job` holds its entries.
     */
    void volumeFinished(int index, const QString &volumePath, ZipPool::Job job);

    /** What became of one volume's zip. */
    struct Taken
    {
        std::optional<ZipWriter::Lead> lead;
        int failure = 0; ///< the volume was taken over and went with its failed zip
        QString failureText;
    };
    /**
     * The zip of volume `index`, waiting while it is being written. No lead
     * when it was not begun (a volume still waiting is left to the caller),
     * failed with its volume still there, or the volume changed since. A
     * whole zip comes back only when `wholeWanted`; otherwise it goes and
     * its volume is given back, to be zipped again.
     */
    Taken take(int index, bool wholeWanted);

    /**
     * No more volumes are begun: those still waiting are left to the caller,
     * the one being begun is waited for. What was taken over stays so.
     */
    void stopBeginning();

    /** Volumes taken over into their zips so far, and their bytes. */
    std::pair<int, qint64> takenSoFar() const;
    /** The size volume `index` had when it was taken over; -1 when it was not. */
    qint64 takenSize(int index) const;

private:
    struct Pending
    {
        int index;
        QString volumePath;
        ZipPool::Job job;
    };
    struct Begun
    {
        std::optional<ZipWriter::Lead> lead;
        int failure = 0;
        QString failureText;
        QString volumePath;
        qint64 size = -1;
        QDateTime modified;
    };

    void work();
    Begun begin(ZipWriter &writer, const Pending &pending);
    void complete(ZipWriter &writer, const Pending &pending, Begun &begun) const;
    bool volumeChanged(const Begun &begun) const;

    const QString m_comment;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Pending> m_pending;
    std::map<int, Begun> m_begun;
    std::map<int, qint64> m_takenSizes;
    int m_writing = 0; ///< the volume on the thread now, 0 when none
    std::atomic<bool> m_closing{false};
    std::thread m_thread;
};
