// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — GF(2^16) multiply-and-add through x86 byte shuffles, chosen at run time.
#include "gf16simd.h"

// Each block of words is split into a vector of low bytes and one of high bytes; each byte's two
// nibbles index the factor's tables, the four lookups per result byte are XORed, and the result
// bytes are interleaved back into words. Only these functions use the extensions, so the rest of
// the program keeps the baseline instruction set.
#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

namespace Gf16Simd {

bool hasSsse3()
{
    return __builtin_cpu_supports("ssse3");
}

bool hasAvx2()
{
    return __builtin_cpu_supports("avx2");
}

bool hasGfni()
{
    return __builtin_cpu_supports("gfni") && hasAvx2();
}

bool hasGfni512()
{
    return hasGfni() && __builtin_cpu_supports("avx512bw");
}

__attribute__((target("ssse3"))) qsizetype addProductSsse3(const Gf16::FactorTables &tables, uchar *dst,
                                                           const uchar *src, qsizetype bytes)
{
    __m128i low[4], high[4];
    for (int n = 0; n < 4; ++n) {
        low[n] = _mm_load_si128(reinterpret_cast<const __m128i *>(tables.low[n].data()));
        high[n] = _mm_load_si128(reinterpret_cast<const __m128i *>(tables.high[n].data()));
    }
    const __m128i nibble = _mm_set1_epi8(0x0f);
    const __m128i lowByte = _mm_set1_epi16(0x00ff);
    qsizetype i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i + 16));
        const __m128i lo = _mm_packus_epi16(_mm_and_si128(a, lowByte), _mm_and_si128(b, lowByte));
        const __m128i hi = _mm_packus_epi16(_mm_srli_epi16(a, 8), _mm_srli_epi16(b, 8));
        const __m128i n[4] = {_mm_and_si128(lo, nibble), _mm_and_si128(_mm_srli_epi16(lo, 4), nibble),
                              _mm_and_si128(hi, nibble), _mm_and_si128(_mm_srli_epi16(hi, 4), nibble)};
        __m128i pl = _mm_shuffle_epi8(low[0], n[0]);
        __m128i ph = _mm_shuffle_epi8(high[0], n[0]);
        for (int k = 1; k < 4; ++k) {
            pl = _mm_xor_si128(pl, _mm_shuffle_epi8(low[k], n[k]));
            ph = _mm_xor_si128(ph, _mm_shuffle_epi8(high[k], n[k]));
        }
        auto *out = reinterpret_cast<__m128i *>(dst + i);
        _mm_storeu_si128(out, _mm_xor_si128(_mm_loadu_si128(out), _mm_unpacklo_epi8(pl, ph)));
        _mm_storeu_si128(out + 1, _mm_xor_si128(_mm_loadu_si128(out + 1), _mm_unpackhi_epi8(pl, ph)));
    }
    return i;
}

namespace {

// 32 words as their 32 low bytes and their 32 high bytes. The 256-bit pack and unpack work
// within 128-bit lanes; their orders cancel out, so each result word lands where its source
// word was.
struct Split
{
    __m256i lo;
    __m256i hi;
};

__attribute__((target("avx2"))) inline Split splitWords(const uchar *src)
{
    const __m256i lowByte = _mm256_set1_epi16(0x00ff);
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(src));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(src + 32));
    return {_mm256_packus_epi16(_mm256_and_si256(a, lowByte), _mm256_and_si256(b, lowByte)),
            _mm256_packus_epi16(_mm256_srli_epi16(a, 8), _mm256_srli_epi16(b, 8))};
}

__attribute__((target("avx2"))) inline void addWords(uchar *dst, const Split &product)
{
    auto *out = reinterpret_cast<__m256i *>(dst);
    _mm256_storeu_si256(out, _mm256_xor_si256(_mm256_loadu_si256(out), _mm256_unpacklo_epi8(product.lo, product.hi)));
    _mm256_storeu_si256(out + 1,
                        _mm256_xor_si256(_mm256_loadu_si256(out + 1), _mm256_unpackhi_epi8(product.lo, product.hi)));
}

} // namespace

__attribute__((target("avx2"))) qsizetype addProductAvx2(const Gf16::FactorTables &tables, uchar *dst, const uchar *src,
                                                         qsizetype bytes)
{
    __m256i low[4], high[4];
    for (int n = 0; n < 4; ++n) {
        low[n] = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i *>(tables.low[n].data())));
        high[n] = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i *>(tables.high[n].data())));
    }
    const __m256i nibble = _mm256_set1_epi8(0x0f);
    qsizetype i = 0;
    for (; i + 64 <= bytes; i += 64) {
        const Split words = splitWords(src + i);
        const __m256i n[4] = {
            _mm256_and_si256(words.lo, nibble), _mm256_and_si256(_mm256_srli_epi16(words.lo, 4), nibble),
            _mm256_and_si256(words.hi, nibble), _mm256_and_si256(_mm256_srli_epi16(words.hi, 4), nibble)};
        Split product{_mm256_shuffle_epi8(low[0], n[0]), _mm256_shuffle_epi8(high[0], n[0])};
        for (int k = 1; k < 4; ++k) {
            product.lo = _mm256_xor_si256(product.lo, _mm256_shuffle_epi8(low[k], n[k]));
            product.hi = _mm256_xor_si256(product.hi, _mm256_shuffle_epi8(high[k], n[k]));
        }
        addWords(dst + i, product);
    }
    return i + addProductSsse3(tables, dst + i, src + i, bytes - i);
}

// Each result byte is two bit-matrix products XORed, of the word's low byte and of its high byte.
__attribute__((target("gfni,avx2"))) qsizetype addProductGfni(const Gf16::FactorTables &tables, uchar *dst,
                                                              const uchar *src, qsizetype bytes)
{
    __m256i matrix[4];
    for (int m = 0; m < 4; ++m)
        matrix[m] = _mm256_set1_epi64x(qint64(tables.bitMatrices[m]));
    qsizetype i = 0;
    for (; i + 64 <= bytes; i += 64) {
        const Split words = splitWords(src + i);
        addWords(dst + i,
                 {_mm256_xor_si256(_mm256_gf2p8affine_epi64_epi8(words.lo, matrix[0], 0),
                                   _mm256_gf2p8affine_epi64_epi8(words.hi, matrix[1], 0)),
                  _mm256_xor_si256(_mm256_gf2p8affine_epi64_epi8(words.lo, matrix[2], 0),
                                   _mm256_gf2p8affine_epi64_epi8(words.hi, matrix[3], 0))});
    }
    return i + addProductSsse3(tables, dst + i, src + i, bytes - i);
}

// As above, 64 words at a time.
__attribute__((target("gfni,avx512bw"))) qsizetype addProductGfni512(const Gf16::FactorTables &tables, uchar *dst,
                                                                     const uchar *src, qsizetype bytes)
{
    __m512i matrix[4];
    for (int m = 0; m < 4; ++m)
        matrix[m] = _mm512_set1_epi64(qint64(tables.bitMatrices[m]));
    const __m512i lowByte = _mm512_set1_epi16(0x00ff);
    qsizetype i = 0;
    for (; i + 128 <= bytes; i += 128) {
        const __m512i a = _mm512_loadu_si512(src + i);
        const __m512i b = _mm512_loadu_si512(src + i + 64);
        const __m512i lo = _mm512_packus_epi16(_mm512_and_si512(a, lowByte), _mm512_and_si512(b, lowByte));
        const __m512i hi = _mm512_packus_epi16(_mm512_srli_epi16(a, 8), _mm512_srli_epi16(b, 8));
        const __m512i pl = _mm512_xor_si512(_mm512_gf2p8affine_epi64_epi8(lo, matrix[0], 0),
                                            _mm512_gf2p8affine_epi64_epi8(hi, matrix[1], 0));
        const __m512i ph = _mm512_xor_si512(_mm512_gf2p8affine_epi64_epi8(lo, matrix[2], 0),
                                            _mm512_gf2p8affine_epi64_epi8(hi, matrix[3], 0));
        _mm512_storeu_si512(dst + i, _mm512_xor_si512(_mm512_loadu_si512(dst + i), _mm512_unpacklo_epi8(pl, ph)));
        _mm512_storeu_si512(dst + i + 64,
                            _mm512_xor_si512(_mm512_loadu_si512(dst + i + 64), _mm512_unpackhi_epi8(pl, ph)));
    }
    return i + addProductGfni(tables, dst + i, src + i, bytes - i);
}

} // namespace Gf16Simd

#else

namespace Gf16Simd {
bool hasSsse3()
{
    return false;
}
bool hasAvx2()
{
    return false;
}
bool hasGfni()
{
    return false;
}
bool hasGfni512()
{
    return false;
}
qsizetype addProductSsse3(const Gf16::FactorTables &, uchar *, const uchar *, qsizetype)
{
    return 0;
}
qsizetype addProductAvx2(const Gf16::FactorTables &, uchar *, const uchar *, qsizetype)
{
    return 0;
}
qsizetype addProductGfni(const Gf16::FactorTables &, uchar *, const uchar *, qsizetype)
{
    return 0;
}
qsizetype addProductGfni512(const Gf16::FactorTables &, uchar *, const uchar *, qsizetype)
{
    return 0;
}
} // namespace Gf16Simd

#endif
