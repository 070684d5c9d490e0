// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the CRC-32 of a file as it is written, headers patched after their data included.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <utility>
#include <vector>

/**
 * A zip is written front to back except for its local headers, which get
 * their sizes and CRC after the entry's data. This follows every write by
 * its position: bytes at the end extend the CRC, bytes written over earlier
 * ones are kept as a small correction applied when the value is asked for,
 * so the file is never read back whole.
 */
class PositionedCrc
{
public:
    PositionedCrc() = default;
    /** Starts from a file of `length` bytes whose CRC is `crc`. */
    PositionedCrc(quint32 crc, qint64 length)
        : m_crc(crc)
        , m_length(length)
    {
    }

    /** `bytes` written at `position`; `replaced` are the bytes they cover, as many as lay before the end. */
    void write(qint64 position, QByteArrayView bytes, QByteArrayView replaced);
    /** The file's length so far. */
    qint64 length() const { return m_length; }
    /** The CRC-32 of the file as it stands. */
    quint32 value() const;

    /** Remembers the file as it stands, for a later `truncate` to its length. */
    void checkpoint() { m_checkpoint = {value(), m_length}; }
    /** Back to the remembered length, or to nothing; false for any other length. */
    bool truncate(qint64 length);

private:
    struct Correction
    {
        quint32 difference; ///< the CRC register of the changed bytes xor-ed, from zero
        qint64 end; ///< where the changed bytes end
    };

    void append(QByteArrayView bytes);

    quint32 m_crc = 0;
    qint64 m_length = 0;
    std::vector<Correction> m_corrections;
    std::pair<quint32, qint64> m_checkpoint{0, 0};
};
