// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the zips of a set written side by side, one worker per core, named in order.
#include "zip/zippool.h"

#include <QFile>
#include <QThread>

#include <chrono>

#include <zip.h>

namespace {

// How often the calling thread looks up from waiting: about once a frame.
constexpr std::chrono::milliseconds kLookInterval{15};

} // namespace

struct ZipPool::Task
{
    int index = 0;
    Job job;
    std::atomic<int> percent{0};
    bool done = false; ///< guarded by the pool's mutex, like the results below
    int code = 0;
    QString errorText;
    QString besideName;
    quint32 crc = 0;
    std::optional<ZipWriter::Lead> taken; ///< the zip took its volume over: given back when it does not take its name

    // A zip written whole before it was handed in needs no worker, unless a worker is to read it.
    bool alreadyWhole()
    {
        if (!job.lead || !job.lead->whole || job.written)
            return false;
        besideName = job.lead->besideName;
        crc = job.lead->crc.value();
        taken = job.lead;
        percent = 100;
        return true;
    }
};

ZipPool::ZipPool(int zipcomp, QString comment, int workers)
    : m_zipcomp(zipcomp)
    , m_comment(std::move(comment))
    , m_limit(2 * static_cast<std::size_t>(std::max(workers, 1)))
{
    for (int i = 0; i < std::max(workers, 1); ++i)
        m_workers.emplace_back([this] { work(); });
}

ZipPool::~ZipPool()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_queued.notify_all();
    for (std::thread &worker : m_workers)
        worker.join();
}

int ZipPool::workersFor(int zipcomp)
{
    return ZipWriter::deflateLevel(zipcomp) == 0 ? 1 : std::max(QThread::idealThreadCount(), 1);
}

void ZipPool::work()
{
    ZipWriter writer;
    writer.setCompression(m_zipcomp);
    writer.setComment(m_comment);
    writer.setCancelCheck([this] { return m_cancel.load(); });
    for (;;) {
        Task *task = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_queued.wait(lock, [this] { return m_closing || !m_queue.empty(); });
            if (m_queue.empty())
                return;
            task = m_queue.front();
            m_queue.pop_front();
        }
        writer.setProgressHandler([task](int percent) { task->percent.store(percent); });
        QString besideName;
        quint32 crc = 0;
        const int code = m_cancel ? ZIP_ER_CANCELLED : write(writer, task->job, besideName, crc);
        if (code != 0 && task->job.lead) // a begun zip broken off before its turn
            ZipWriter::discard(*task->job.lead);
        if (code == 0 && task->job.written)
            task->job.written(besideName);
        {
            const std::lock_guard lock(m_mutex);
            task->code = code;
            task->errorText = code == 0 ? QString() : writer.lastErrorText();
            task->besideName = code == 0 ? besideName : QString();
            task->crc = crc;
            task->taken = code != 0 ? std::nullopt : task->job.lead ? task->job.lead : writer.lastTaken();
            task->done = true;
        }
        m_finished.notify_all();
    }
}

int ZipPool::write(ZipWriter &writer, Job &job, QString &besideName, quint32 &crc)
{
    writer.setTakesFirstFile(job.takesFirstFile);
    int code = 0;
    if (!job.lead) {
        code = writer.writeBeside(job.zipPath, job.entries, besideName);
    } else {
        besideName = job.lead->besideName;
        if (job.lead->whole) {
            crc = job.lead->crc.value();
            return 0;
        }
        code = writer.finishBeside(*job.lead, job.entries);
    }
    crc = writer.lastZipCrc();
    return code;
}

ZipPool::Outcome ZipPool::run(int count, const Hooks &hooks)
{
    std::deque<std::unique_ptr<Task>> out; // in volume order
    Outcome outcome;
    int next = 1;
    while (next <= count || !out.empty()) {
        for (; next <= count && out.size() < m_limit; ++next) {
            auto task = std::make_unique<Task>();
            task->index = next;
            task->job = hooks.prepare(next);
            task->done = task->job.failure != 0 || task->alreadyWhole();
            task->code = task->job.failure;
            task->errorText = task->job.failureText;
            if (!task->done) {
                const std::lock_guard lock(m_mutex);
                m_queue.push_back(task.get());
            }
            m_queued.notify_one();
            out.push_back(std::move(task));
        }
        Task &oldest = *out.front();
        hooks.showing(oldest.index);
        if (!waitFor(oldest, out, hooks)) {
            outcome = {ZIP_ER_CANCELLED, oldest.index, ZipWriter::errorText(ZIP_ER_CANCELLED)};
            break;
        }
        if (oldest.code == 0)
            oldest.code = ZipWriter::takeName(oldest.besideName, oldest.job.zipPath);
        if (oldest.code != 0) {
            outcome = {oldest.code, oldest.index,
                       oldest.errorText.isEmpty() ? ZipWriter::errorText(oldest.code) : oldest.errorText};
            break;
        }
        hooks.progress(oldest.index, 100);
        const std::unique_ptr<Task> named = std::move(out.front());
        out.pop_front();
        if (!hooks.named(named->index, named->crc)) {
            outcome.stopped = true;
            break;
        }
    }
    drain(out);
    return outcome;
}

// Waits for `task`, showing the progress of every zip out; false when told to break off.
// Every zip gets one look before its wait, however soon it was written.
bool ZipPool::waitFor(Task &task, const std::deque<std::unique_ptr<Task>> &out, const Hooks &hooks)
{
    for (;;) {
        for (const std::unique_ptr<Task> &zip : out)
            hooks.progress(zip->index, zip->percent.load());
        if (!hooks.keepGoing())
            return false;
        std::unique_lock lock(m_mutex);
        if (m_finished.wait_for(lock, kLookInterval, [&task] { return task.done; }))
            return true;
    }
}

// Every zip still out is broken off and its temporary file removed, a volume it took over given back.
void ZipPool::drain(std::deque<std::unique_ptr<Task>> &out)
{
    m_cancel = true;
    std::unique_lock lock(m_mutex);
    for (const std::unique_ptr<Task> &task : out) {
        m_finished.wait(lock, [&task] { return task->done; });
        if (task->taken)
            ZipWriter::discard(*task->taken);
        else if (!task->besideName.isEmpty())
            QFile::remove(task->besideName);
    }
    m_cancel = false;
}
