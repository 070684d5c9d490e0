// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — CRC-32 on libdeflate, and the combination of two CRCs.
#include "volumes/crc32.h"

#include <libdeflate.h>

uint32_t crc32Update(uint32_t crc, const void *data, size_t size)
{
    return libdeflate_crc32(crc, data, size);
}

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;

// a * b modulo the CRC polynomial, in the reflected bit order (x^0 is the top bit).
uint32_t multiplyModP(uint32_t a, uint32_t b)
{
    uint32_t product = 0;
    for (uint32_t bit = 0x80000000u; bit != 0; bit >>= 1) {
        if (a & bit)
            product ^= b;
        b = (b & 1) ? (b >> 1) ^ kPolynomial : b >> 1;
    }
    return product;
}

// x^(8 * bytes) modulo the polynomial, by repeated squaring.
uint32_t xPowerOfBytes(uint64_t bytes)
{
    uint32_t result = 0x80000000u; // x^0
    uint32_t square = 0x00800000u; // x^8: one byte
    for (; bytes != 0; bytes >>= 1) {
        if (bytes & 1)
            result = multiplyModP(result, square);
        square = multiplyModP(square, square);
    }
    return result;
}

} // namespace

uint32_t crc32Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB)
{
    // Appending n bytes multiplies A's register by x^(8n); the start and final
    // inversions cancel out in the exclusive or with B's value.
    return multiplyModP(xPowerOfBytes(lengthB), crcA) ^ crcB;
}
