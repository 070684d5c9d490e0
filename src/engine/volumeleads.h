// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — zips begun while the archiver writes on: each finished volume copied into its zip's first entry.
#pragma once

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

/**
 * The archiver writes its volumes one after another, so a volume is whole
 * once the next one exists. Its stored copy, the heavy part of its zip, is
 * then written on a thread of its own beside the zip's name while the
 * archiver works on; the rest of the zip (the numbered diz needs the volume
 * count) is added once the archiver has ended well. A begun zip stays under
 * its temporary name until then; whatever was not taken goes when this goes.
 */
class VolumeLeads
{
public:
    VolumeLeads();
    ~VolumeLeads();
    VolumeLeads(const VolumeLeads &) = delete;
    VolumeLeads &operator=(const VolumeLeads &) = delete;

    /** Volume `index` is whole: its zip at `zipPath` is begun in turn. */
    void volumeFinished(int index, const QString &volumePath, const QString &zipPath);
    /**
     * The begun zip of volume `index`, waiting while it is being written;
     * none when it was not begun, failed, or its volume changed since.
     */
    std::optional<ZipWriter::Lead> take(int index);

private:
    struct Pending
    {
        int index;
        QString volumePath;
        QString zipPath;
    };
    struct Begun
    {
        std::optional<ZipWriter::Lead> lead;
        QString volumePath;
        qint64 size = -1;
        QDateTime modified;
    };

    void work();
    Begun begin(ZipWriter &writer, const Pending &pending) const;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Pending> m_pending;
    std::map<int, Begun> m_begun;
    int m_writing = 0; ///< the volume on the thread now, 0 when none
    std::atomic<bool> m_closing{false};
    std::thread m_thread;
};
