// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the zips of a set written side by side, one worker per core, named in order.
#pragma once

#include "zip/zipwriter.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

/**
 * The zips of a set do not depend on each other, so workers write them at
 * once, each under a temporary name; the calling thread hands out the
 * volumes, shows the progress of the oldest and gives each zip its name in
 * volume order. At most two volumes per worker are out at a time, so memory
 * stays the same whatever the size of the set. Every hook runs on the calling
 * thread; the workers touch nothing but their zips.
 */
class ZipPool
{
public:
    /** One zip to write; a non-zero `failure` is reported in its turn instead of writing it. */
    struct Job
    {
        QString zipPath;
        std::vector<ZipWriter::Entry> entries;
        int failure = 0;
        QString failureText;
        std::optional<ZipWriter::Lead> lead; ///< its first entry, or the whole zip, already written beside it
        bool takesFirstFile = false; ///< the first entry's file is scratch (ZipWriter::setTakesFirstFile)
        std::function<void(const QString &written)> written; ///< on the worker, the zip whole under its temporary name
    };

    struct Hooks
    {
        std::function<Job(int index)> prepare; ///< volume `index` (1-based) to zip
        std::function<void(int index)> showing; ///< the oldest zip out is now `index`
        std::function<void(int index, int percent)> progress; ///< how far each zip out is
        std::function<bool()> keepGoing; ///< asked often; false breaks off every zip out
        std::function<bool(int index, quint32 crc)> named; ///< zip `index` took its name; false: no more
    };

    /** How the set ended: `code` and `errorText` from the first zip in order that failed. */
    struct Outcome
    {
        int code = 0;
        int index = 0;
        QString errorText;
        bool stopped = false; ///< `named` asked for no more
    };

    ZipPool(int zipcomp, QString comment, int workers);
    ~ZipPool();
    ZipPool(const ZipPool &) = delete;
    ZipPool &operator=(const ZipPool &) = delete;

    /** Zips volumes 1 to `count`. Zips not named when it returns are removed. */
    Outcome run(int count, const Hooks &hooks);

    /** One worker per core for deflating; `zipcomp` 0 copies, which one thread does as fast. */
    static int workersFor(int zipcomp);

private:
    struct Task;

    void work();
    static int write(ZipWriter &writer, Job &job, QString &besideName, quint32 &crc);
    bool waitFor(Task &task, const std::deque<std::unique_ptr<Task>> &out, const Hooks &hooks);
    void drain(std::deque<std::unique_ptr<Task>> &out);

    const int m_zipcomp;
    const QString m_comment;
    std::size_t m_limit;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_finished;
    std::deque<Task *> m_queue;
    std::atomic<bool> m_cancel{false};
    bool m_closing = false;
    std::vector<std::thread> m_workers;
};
