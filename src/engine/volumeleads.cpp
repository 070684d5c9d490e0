// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — zips begun while the archiver writes on: each finished volume copied into its zip's first entry.
#include "engine/volumeleads.h"

#include <QFile>
#include <QFileInfo>

VolumeLeads::VolumeLeads()
    : m_thread([this] { work(); })
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
            QFile::remove(begun.lead->besideName);
}

void VolumeLeads::volumeFinished(int index, const QString &volumePath, const QString &zipPath)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending.push_back({index, volumePath, zipPath});
    }
    m_changed.notify_all();
}

std::optional<ZipWriter::Lead> VolumeLeads::take(int index)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] {
        return m_writing != index
            && std::none_of(m_pending.begin(), m_pending.end(), [index](const Pending &p) { return p.index == index; });
    });
    const auto found = m_begun.find(index);
    if (found == m_begun.end())
        return std::nullopt;
    Begun begun = std::move(found->second);
    m_begun.erase(found);
    lock.unlock();
    if (!begun.lead)
        return std::nullopt;
    // An archiver that went back to a volume it had finished: the copy is not the volume.
    const QFileInfo now(begun.volumePath);
    if (now.size() == begun.size && now.lastModified() == begun.modified)
        return begun.lead;
    QFile::remove(begun.lead->besideName);
    return std::nullopt;
}

void VolumeLeads::work()
{
    ZipWriter writer;
    writer.setCompression(0);
    writer.setCancelCheck([this] { return m_closing.load(); });
    for (;;) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_closing || !m_pending.empty(); });
        if (m_closing)
            return;
        const Pending pending = m_pending.front();
        m_pending.pop_front();
        m_writing = pending.index;
        lock.unlock();
        Begun begun = begin(writer, pending);
        lock.lock();
        m_begun[pending.index] = std::move(begun);
        m_writing = 0;
        lock.unlock();
        m_changed.notify_all();
    }
}

VolumeLeads::Begun VolumeLeads::begin(ZipWriter &writer, const Pending &pending) const
{
    Begun begun;
    begun.volumePath = pending.volumePath;
    const QFileInfo before(pending.volumePath);
    begun.size = before.size();
    begun.modified = before.lastModified();
    ZipWriter::Lead lead;
    const ZipWriter::Entry first{pending.volumePath, before.fileName()};
    if (writer.beginBeside(pending.zipPath, first, lead) == 0)
        begun.lead = std::move(lead);
    return begun;
}
