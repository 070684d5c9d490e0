// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the CRC-32 of a file as it is written, headers patched after their data included.
#include "zip/positionedcrc.h"

#include <libdeflate.h>
#include <zlib.h>

// The CRC is linear: changing bytes at one place changes the CRC by the CRC
// register of the xor of old and new bytes, moved on by the bytes after them.
// zlib's combine moves a register on over a run of zeros in logarithmic time.

namespace {

// The register after `bytes` from a zero start, without the CRC's final inversion.
quint32 plainRegister(QByteArrayView bytes)
{
    return ~static_cast<quint32>(libdeflate_crc32(0xffffffffU, bytes.data(), static_cast<size_t>(bytes.size())));
}

} // namespace

void PositionedCrc::append(QByteArrayView bytes)
{
    m_crc = static_cast<quint32>(libdeflate_crc32(m_crc, bytes.data(), static_cast<size_t>(bytes.size())));
    m_length += bytes.size();
}

void PositionedCrc::write(qint64 position, QByteArrayView bytes, QByteArrayView replaced)
{
    // A write past the end leaves a hole that reads as zeros.
    static const QByteArray zeros(64 * 1024, '\0');
    while (position > m_length)
        append(QByteArrayView(zeros).first(std::min<qint64>(zeros.size(), position - m_length)));
    const qsizetype covered = std::min<qsizetype>(replaced.size(), bytes.size());
    if (covered > 0) {
        QByteArray changed(covered, Qt::Uninitialized);
        for (qsizetype i = 0; i < covered; ++i)
            changed[i] = static_cast<char>(bytes[i] ^ replaced[i]);
        m_corrections.push_back({plainRegister(changed), position + covered});
    }
    append(bytes.sliced(covered));
}

quint32 PositionedCrc::value() const
{
    uLong crc = m_crc;
    for (const Correction &c : m_corrections)
        crc ^= crc32_combine(c.difference, 0, static_cast<z_off_t>(m_length - c.end));
    return static_cast<quint32>(crc);
}

bool PositionedCrc::truncate(qint64 length)
{
    if (length == m_length)
        return true;
    if (length != 0 && length != m_checkpoint.second)
        return false;
    *this = length == 0 ? PositionedCrc() : PositionedCrc(m_checkpoint.first, length);
    return true;
}
