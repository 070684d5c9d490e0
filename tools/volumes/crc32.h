// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the CRC-32 both archive formats use, fast enough for the data path.
#pragma once

#include <cstddef>
#include <cstdint>

/**
 * The ordinary CRC-32 (zlib, PKZIP; reflected polynomial 0xEDB88320, start
 * 0xFFFFFFFF, result inverted). `crc` is the value of the bytes before
 * `data`, 0 for none; crc32Update(0, "123456789", 9) == 0xCBF43926.
 */
uint32_t crc32Update(uint32_t crc, const void *data, size_t size);

/**
 * The CRC-32 of A followed by B, from crc32(A), crc32(B) and B's length,
 * without reading A or B again.
 */
uint32_t crc32Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB);
