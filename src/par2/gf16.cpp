// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — arithmetic in GF(2^16), the field of the PAR 2.0 Reed–Solomon code.
#include "gf16.h"

#include <vector>

namespace {

constexpr quint32 Generator = 0x1100B;
constexpr quint32 Order = 65535; // the multiplicative group's order

// Logarithm and antilogarithm tables, built once; the antilogarithms are doubled so a
// sum of two logarithms needs no reduction.
struct Tables
{
    std::vector<quint16> log = std::vector<quint16>(65536);
    std::vector<quint16> exp = std::vector<quint16>(2 * Order);

    Tables()
    {
        quint32 value = 1;
        for (quint32 i = 0; i < Order; ++i) {
            exp[i] = exp[i + Order] = quint16(value);
            log[value] = quint16(i);
            value <<= 1;
            if (value & 0x10000)
                value ^= Generator;
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

namespace Gf16 {

quint16 multiply(quint16 a, quint16 b)
{
    if (a == 0 || b == 0)
        return 0;
    const Tables &t = tables();
    return t.exp[t.log[a] + t.log[b]];
}

quint16 powerOfTwo(quint64 exponent)
{
    return tables().exp[exponent % Order];
}

quint16 divide(quint16 a, quint16 b)
{
    if (a == 0)
        return 0;
    const Tables &t = tables();
    return t.exp[t.log[a] + Order - t.log[b]];
}

QList<quint32> sliceConstantLogs(int count)
{
    QList<quint32> logs;
    logs.reserve(count);
    for (quint32 n = 1; logs.size() < count; ++n) {
        if (n % 3 && n % 5 && n % 17 && n % 257)
            logs.append(n);
    }
    return logs;
}

} // namespace Gf16

Gf16Multiplier::Gf16Multiplier(quint16 factor)
{
    for (int b = 0; b < 256; ++b) {
        m_low[b] = Gf16::multiply(factor, quint16(b));
        m_high[b] = Gf16::multiply(factor, quint16(b << 8));
    }
}

// Portable byte-wise path: the same bytes on any host's byte order. A SIMD path (nibble
// tables through pshufb) and work spread over the cores are still to come.
void Gf16Multiplier::addProduct(uchar *dst, const uchar *src, qsizetype bytes) const
{
    for (qsizetype i = 0; i + 1 < bytes; i += 2) {
        const quint16 product = m_low[src[i]] ^ m_high[src[i + 1]];
        dst[i] ^= uchar(product);
        dst[i + 1] ^= uchar(product >> 8);
    }
}
