// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — recovery slices computed one strip of bytes at a time.
#include "par2recovery.h"

#include "gf16.h"

Par2RecoveryStrip::Par2RecoveryStrip(int count, qint64 inputSlices, quint64 begin, quint64 width)
    : m_count(count)
    , m_begin(begin)
    , m_width(width)
    , m_logs(Gf16::sliceConstantLogs(int(inputSlices)))
    , m_words(qsizetype(quint64(count) * width), '\0')
{
}

void Par2RecoveryStrip::add(const Par2SlicePiece &piece)
{
    QByteArrayView source = piece.bytes;
    if (source.size() % 2) {
        m_odd = source.toByteArray() + '\0';
        source = m_odd;
    }
    const quint64 log = m_logs[piece.slice];
    uchar *strip = reinterpret_cast<uchar *>(m_words.data()) + (piece.offset - m_begin);
    const auto *src = reinterpret_cast<const uchar *>(source.data());
    for (int e = 0; e < m_count; ++e) {
        const Gf16Multiplier multiplier(Gf16::powerOfTwo(log * quint64(e)));
        multiplier.addProduct(strip + quint64(e) * m_width, src, source.size());
    }
}

QByteArrayView Par2RecoveryStrip::bytes(int exponent) const
{
    return QByteArrayView(m_words.constData() + quint64(exponent) * m_width, qsizetype(m_width));
}
