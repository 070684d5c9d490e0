// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — arithmetic in GF(2^16), the field of the PAR 2.0 Reed–Solomon code.
#include "gf16.h"
#include "gf16simd.h"

#include <QByteArray>

#include <bit>
#include <utility>
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

FactorTables factorTables(quint16 factor)
{
    // The product is linear in the word: each table entry is the XOR of the factor times the
    // powers of two its set bits stand for.
    std::array<quint16, 16> powers;
    quint32 value = factor;
    for (quint16 &power : powers) {
        power = quint16(value);
        value <<= 1;
        if (value & 0x10000)
            value ^= Generator;
    }
    FactorTables tables;
    for (int place = 0; place < 4; ++place) {
        std::array<quint16, 16> products{};
        for (int n = 1; n < 16; ++n) // n's lowest set bit added to the entry of n without it
            products[n] = products[n & (n - 1)] ^ powers[4 * place + std::countr_zero(unsigned(n))];
        for (int n = 0; n < 16; ++n) {
            tables.low[place][n] = uchar(products[n]);
            tables.high[place][n] = uchar(products[n] >> 8);
        }
    }
    // Row r of the word's matrix: which input bits bit r of the product sums.
    std::array<quint16, 16> rows{};
    for (int bit = 0; bit < 16; ++bit) {
        for (int r = 0; r < 16; ++r)
            rows[r] |= quint16(((powers[bit] >> r) & 1) << bit);
    }
    for (int out = 0; out < 2; ++out) {
        for (int in = 0; in < 2; ++in) {
            quint64 matrix = 0;
            for (int r = 0; r < 8; ++r)
                matrix |= quint64((rows[8 * out + r] >> (8 * in)) & 0xff) << (8 * (7 - r));
            tables.bitMatrices[2 * out + in] = matrix;
        }
    }
    return tables;
}

QList<Kernel> availableKernels()
{
    QList<Kernel> kernels{Kernel::Portable};
    if (Gf16Simd::hasSsse3())
        kernels.append(Kernel::Ssse3);
    if (Gf16Simd::hasAvx2())
        kernels.append(Kernel::Avx2);
    if (Gf16Simd::hasGfni())
        kernels.append(Kernel::Gfni);
    if (Gf16Simd::hasGfni512())
        kernels.append(Kernel::Gfni512);
    return kernels;
}

Kernel defaultKernel()
{
    static const Kernel chosen = [] {
        const Kernel fastest = availableKernels().last();
        const QByteArray asked = qgetenv("VARKO_GF16_KERNEL");
        if (asked == "portable")
            return Kernel::Portable;
        for (const auto &[name, kernel] :
             {std::pair{"ssse3", Kernel::Ssse3}, std::pair{"avx2", Kernel::Avx2}, std::pair{"gfni", Kernel::Gfni}}) {
            if (asked == name && kernel < fastest)
                return kernel;
        }
        return fastest;
    }();
    return chosen;
}

void addProduct(Kernel kernel, const FactorTables &tables, uchar *dst, const uchar *src, qsizetype bytes)
{
    qsizetype done = 0;
    if (kernel == Kernel::Gfni512)
        done = Gf16Simd::addProductGfni512(tables, dst, src, bytes);
    else if (kernel == Kernel::Gfni)
        done = Gf16Simd::addProductGfni(tables, dst, src, bytes);
    else if (kernel == Kernel::Avx2)
        done = Gf16Simd::addProductAvx2(tables, dst, src, bytes);
    else if (kernel == Kernel::Ssse3)
        done = Gf16Simd::addProductSsse3(tables, dst, src, bytes);
    const auto &lo = tables.low;
    const auto &hi = tables.high;
    for (qsizetype i = done; i < bytes; i += 2) {
        const uchar a = src[i];
        const uchar b = i + 1 < bytes ? src[i + 1] : 0;
        dst[i] ^= lo[0][a & 15] ^ lo[1][a >> 4] ^ lo[2][b & 15] ^ lo[3][b >> 4];
        dst[i + 1] ^= hi[0][a & 15] ^ hi[1][a >> 4] ^ hi[2][b & 15] ^ hi[3][b >> 4];
    }
}

} // namespace Gf16

Gf16Multiplier::Gf16Multiplier(quint16 factor, Gf16::Kernel kernel)
    : m_tables(Gf16::factorTables(factor))
    , m_kernel(kernel)
{
}

void Gf16Multiplier::addProduct(uchar *dst, const uchar *src, qsizetype bytes) const
{
    Gf16::addProduct(m_kernel, m_tables, dst, src, bytes & ~qsizetype(1));
}
