// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — GF(2^16) multiply-and-add through x86 byte shuffles, chosen at run time.
#pragma once

#include "gf16.h"

/** What the vector kernels need; each returns how many leading bytes it did (a multiple of 32). */
namespace Gf16Simd {
bool hasSsse3();
bool hasAvx2();
bool hasGfni();
bool hasGfni512();
qsizetype addProductSsse3(const Gf16::FactorTables &tables, uchar *dst, const uchar *src, qsizetype bytes);
qsizetype addProductAvx2(const Gf16::FactorTables &tables, uchar *dst, const uchar *src, qsizetype bytes);
qsizetype addProductGfni(const Gf16::FactorTables &tables, uchar *dst, const uchar *src, qsizetype bytes);
qsizetype addProductGfni512(const Gf16::FactorTables &tables, uchar *dst, const uchar *src, qsizetype bytes);
} // namespace Gf16Simd
