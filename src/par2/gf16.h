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

/**
 * What the kernels look up for one factor. Its products with each nibble value at each of a
 * word's four nibble places, low and high bytes apart: 16-byte tables that a byte shuffle looks
 * up 16 or 32 at a time. And the multiplication as four 8×8 bit matrices (low to low, high to
 * low, low to high, high to high), each a row a byte from the last row to the first, as the
 * Galois-field affine instruction takes them.
 */
struct FactorTables
{
    alignas(16) std::array<std::array<uchar, 16>, 4> low;
    alignas(16) std::array<std::array<uchar, 16>, 4> high;
    std::array<quint64, 4> bitMatrices;
};
FactorTables factorTables(quint16 factor);

/** The ways to multiply a run of words: portable code, or x86 vector instructions. */
enum class Kernel { Portable, Ssse3, Avx2, Gfni, Gfni512 };
/** The kernels this CPU runs, the portable one first and the fastest last. */
QList<Kernel> availableKernels();
/** The fastest, unless VARKO_GF16_KERNEL (portable, ssse3, avx2, gfni) asks for a slower one. */
Kernel defaultKernel();
/**
 * dst ^= factor * src over `bytes` bytes of words; an odd count ends in half a word whose
 * high byte is taken as zero, and then dst receives `bytes` + 1 bytes.
 */
void addProduct(Kernel kernel, const FactorTables &tables, uchar *dst, const uchar *src, qsizetype bytes);
} // namespace Gf16

/** Multiplies a run of 16-bit little-endian words by one factor and adds the result into another run. */
class Gf16Multiplier
{
public:
    explicit Gf16Multiplier(quint16 factor, Gf16::Kernel kernel = Gf16::defaultKernel());
    /** dst ^= factor * src over `bytes` bytes (even). */
    void addProduct(uchar *dst, const uchar *src, qsizetype bytes) const;

private:
    Gf16::FactorTables m_tables;
    Gf16::Kernel m_kernel;
};
