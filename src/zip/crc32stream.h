// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the CRC-32 of a stream of bytes, fed as they pass.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

/**
 * The ordinary CRC-32 (zip, SFV, RAR), computed over bytes handed in as
 * they pass, so a file is never read a second time for its check value.
 */
class Crc32Stream
{
public:
    Crc32Stream() = default;
    /** Goes on from the CRC of the bytes before (0 for none). */
    explicit Crc32Stream(quint32 start)
        : m_value(start)
    {
    }

    void add(const void *data, qsizetype size);
    void add(QByteArrayView bytes) { add(bytes.data(), bytes.size()); }
    quint32 value() const { return m_value; }

private:
    quint32 m_value = 0;
};

/** A CRC as SFV files and messages write it: eight upper-case hex digits. */
QString crcText(quint32 crc);
