// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — arithmetic in GF(2^16), the field of the PAR 2.0 Reed–Solomon code.
#pragma once

#include <QList>
#include <QtGlobal>

#include <array>

/** GF(2^16) with the PAR 2.0 generator polynomial x^16 + x^12 + x^3 + x + 1; addition is XOR. */
namespace Gf16 {
quint16 multiply(quint16 a, quint16 b);
/** 2 to the power `exponent` (any non-negative exponent). */
quint16 powerOfTwo(quint64 exponent);
/** a / b; b must not be 0. */
quint16 divide(quint16 a, quint16 b);
/**
 * The logarithms base 2 of the first `count` input-slice constants: the positive n, in
 * order, with n mod 3, 5, 17 and 257 all non-zero. Slice i's factor in recovery slice e is
 * 2^(n_i * e).
 */
QList<quint32> sliceConstantLogs(int count);
} // namespace Gf16

/**
 * Multiplies a run of 16-bit little-endian words by one factor and adds the result into
 * another run: two 256-entry tables, one per byte of a word.
 */
class Gf16Multiplier
{
public:
    explicit Gf16Multiplier(quint16 factor);
    /** dst ^= factor * src over `bytes` bytes (even). */
    void addProduct(uchar *dst, const uchar *src, qsizetype bytes) const;

private:
    std::array<quint16, 256> m_low;
    std::array<quint16, 256> m_high;
};
