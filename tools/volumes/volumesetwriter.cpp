// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — writes the planned volumes, or nothing at all.
#include "volumes/volumesetwriter.h"

#include "naming/volumenaming.h"
#include "volumes/crc32.h"
#include "volumes/diagnostics.h"
#include "volumes/formatwriter.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

} // namespace

void VolumeSetWriter::requestStop()
{
    g_stopRequested = 1;
}

VolumeSetWriter::VolumeSetWriter(const FormatWriter &format, const std::vector<Entry> &entries,
                                 const VolumeNaming &naming)
    : m_format(format)
    , m_entries(entries)
    , m_naming(naming)
{
}

VolumeSetWriter::~VolumeSetWriter()
{
    closeSource();
}

bool VolumeSetWriter::fail(const std::string &message)
{
    if (m_error.empty())
        m_error = message;
    closeSource();
    m_file.close();
    for (const std::string &path : m_created)
        ::unlink(path.c_str());
    m_created.clear();
    return false;
}

bool VolumeSetWriter::write(const std::vector<PlannedVolume> &volumes, bool volumeSet)
{
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        if (!writeVolume(volumes[i], VolumeInfo{i, volumes.size(), volumeSet}))
            return false;
    }
    return true;
}

bool VolumeSetWriter::writeVolume(const PlannedVolume &volume, const VolumeInfo &info)
{
    const std::string path = m_naming.name(info.index);
    if (!m_file.create(path))
        return fail(m_file.error());
    m_created.push_back(path);
    const std::vector<uint8_t> start = m_format.volumeStart(info);
    if (!m_file.write(start.data(), start.size()))
        return fail(m_file.error());
    for (const Piece &piece : volume.pieces) {
        if (!writePiece(piece))
            return false;
    }
    const std::vector<uint8_t> end = m_format.volumeEnd(info);
    if (!m_file.write(end.data(), end.size()))
        return fail(m_file.error());
    if (m_file.offset() != volume.size)
        return fail(path + ": internal error: the volume does not have its planned size");
    if (!m_file.close())
        return fail(m_file.error());
    return true;
}

bool VolumeSetWriter::writePiece(const Piece &piece)
{
    const Entry &entry = m_entries[piece.item];
    const uint64_t headerAt = m_file.offset();
    const std::size_t headerSize = m_format.headerSize(entry) + piece.padding;
    if (!m_file.writeZeros(headerSize))
        return fail(m_file.error());
    uint32_t crc = 0;
    if (piece.length > 0 && (!openSource(piece) || !copyData(piece, crc)))
        return false;
    // A continuing entry's running CRC grows piece by piece.
    m_runningCrc = piece.continuesPrevious() ? crc32Combine(m_runningCrc, crc, piece.length) : crc;
    const std::vector<uint8_t> header = m_format.pieceHeader(entry, piece, PieceCrcs{crc, m_runningCrc});
    if (header.size() != headerSize)
        return fail(entry.archivePath + ": internal error: a header does not have its planned size");
    if (!m_file.patch(headerAt, header.data(), header.size()))
        return fail(m_file.error());
    if (!piece.continuesNext)
        closeSource();
    return true;
}

bool VolumeSetWriter::openSource(const Piece &piece)
{
    if (m_source >= 0)
        return true; // a continuing file stays open from its previous piece
    const Entry &entry = m_entries[piece.item];
    m_source = ::open(entry.sourcePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_source < 0)
        return fail("cannot read " + systemError(entry.sourcePath));
    ::posix_fadvise(m_source, 0, 0, POSIX_FADV_SEQUENTIAL);
    if (piece.offset > 0 && ::lseek(m_source, off_t(piece.offset), SEEK_SET) < 0)
        return fail("cannot read " + systemError(entry.sourcePath));
    return true;
}

void VolumeSetWriter::closeSource()
{
    if (m_source >= 0)
        ::close(m_source);
    m_source = -1;
}

bool VolumeSetWriter::copyData(const Piece &piece, uint32_t &crc)
{
    const Entry &entry = m_entries[piece.item];
    uint64_t left = piece.length;
    while (left > 0) {
        if (g_stopRequested)
            return fail("interrupted");
        std::size_t available = 0;
        uint8_t *to = m_file.space(available);
        if (!to)
            return fail(m_file.error());
        const std::size_t want = std::size_t(std::min<uint64_t>(available, left));
        const ssize_t n = ::read(m_source, to, want);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail("cannot read " + systemError(entry.sourcePath));
        if (n == 0)
            return fail(entry.sourcePath + ": the file became shorter while it was being archived");
        crc = crc32Update(crc, to, std::size_t(n));
        m_file.commit(std::size_t(n));
        left -= uint64_t(n);
    }
    return true;
}
