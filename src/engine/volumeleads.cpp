// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — zips made while the archiver writes on: each finished volume put into its zip at once.
#include "engine/volumeleads.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

VolumeLeads::VolumeLeads(QString comment)
    : m_comment(std::move(comment))
    , m_thread([this] { work(); })
{
}

VolumeLeads::~VolumeLeads()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    m_thread.join();
    for (const auto &[index, begun] : m_begun)
        if (begun.lead)
            ZipWriter::discard(*begun.lead);
}

void VolumeLeads::volumeFinished(int index, const QString &volumePath, ZipPool::Job job)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending.push_back({index, volumePath, std::move(job)});
    }
    m_changed.notify_all();
}

VolumeLeads::Taken VolumeLeads::take(int index, bool wholeWanted)
{
    std::unique_lock lock(m_mutex);
    std::erase_if(m_pending, [index](const Pending &p) { return p.index == index; });
    m_changed.wait(lock, [&] { return m_writing != index; });
    const auto found = m_begun.find(index);
    if (found == m_begun.end())
        return {};
    Begun begun = std::move(found->second);
    m_begun.erase(found);
    lock.unlock();
    if (begun.failure != 0)
        return {std::nullopt, begun.failure, begun.failureText};
    if (!begun.lead)
        return {};
    if (volumeChanged(begun)) {
        ZipWriter::discard(*begun.lead);
        return {};
    }
    if (begun.lead->whole && !wholeWanted) {
        // Numbered by a count the archiver did not keep: zipped again from its volume, given back.
        ZipWriter::discard(*begun.lead);
        if (QFileInfo::exists(begun.volumePath))
            return {};
        return {std::nullopt, ZipWriter::ReadError, begun.volumePath + QStringLiteral(": could not be given back")};
    }
    return {std::move(begun.lead), 0, {}};
}

void VolumeLeads::stopBeginning()
{
    std::unique_lock lock(m_mutex);
    m_pending.clear();
    m_changed.wait(lock, [this] { return m_writing == 0; });
}

std::pair<int, qint64> VolumeLeads::takenSoFar() const
{
    const std::lock_guard lock(m_mutex);
    qint64 bytes = 0;
    for (const auto &[index, size] : m_takenSizes)
        bytes += size;
    return {static_cast<int>(m_takenSizes.size()), bytes};
}

qint64 VolumeLeads::takenSize(int index) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_takenSizes.find(index);
    return found == m_takenSizes.end() ? -1 : found->second;
}

void VolumeLeads::work()
{
    ZipWriter writer;
    writer.setCompression(0);
    writer.setComment(m_comment);
    writer.setCancelCheck([this] { return m_closing.load(); });
    for (;;) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_closing || !m_pending.empty(); });
        if (m_closing)
            return;
        const Pending pending = std::move(m_pending.front());
        m_pending.pop_front();
        m_writing = pending.index;
        lock.unlock();
        Begun begun = begin(writer, pending);
        lock.lock();
        if (begun.lead && begun.lead->tookFile())
            m_takenSizes[pending.index] = begun.size;
        m_begun[pending.index] = std::move(begun);
        m_writing = 0;
        lock.unlock();
        m_changed.notify_all();
    }
}

VolumeLeads::Begun VolumeLeads::begin(ZipWriter &writer, const Pending &pending)
{
    Begun begun;
    begun.volumePath = pending.volumePath;
    const QFileInfo before(pending.volumePath);
    begun.size = before.size();
    begun.modified = before.lastModified();
    ZipWriter::Lead lead;
    const ZipWriter::Entry first{pending.volumePath, before.fileName()};
    int code = writer.takeBeside(pending.job.zipPath, first, lead);
    if (code < 0)
        code = writer.beginBeside(pending.job.zipPath, first, lead);
    if (code == 0) {
        begun.lead = std::move(lead);
        complete(writer, pending, begun);
    } else if (lead.tookFile()) {
        begun.failure = code;
        begun.failureText = writer.lastErrorText();
    }
    return begun;
}

// With its entries known the zip is written whole.
void VolumeLeads::complete(ZipWriter &writer, const Pending &pending, Begun &begun) const
{
    const ZipPool::Job &job = pending.job;
    if (job.failure != 0 || job.entries.size() < 2)
        return;
    const int code = writer.finishBeside(*begun.lead, job.entries);
    if (code == 0)
        return;
    // A volume given back is zipped again in its turn; one that could not be is lost with its zip.
    begun.lead.reset();
    if (!QFileInfo::exists(begun.volumePath)) {
        begun.failure = code;
        begun.failureText = writer.lastErrorText();
    }
}

// An archiver that went back to a volume it had finished: the zip does not hold the volume as it is.
bool VolumeLeads::volumeChanged(const Begun &begun) const
{
    const QFileInfo now(begun.volumePath);
    if (begun.lead->tookFile())
        return now.exists();
    return now.size() != begun.size || now.lastModified() != begun.modified;
}
