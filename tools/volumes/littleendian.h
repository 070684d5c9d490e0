// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — appending little-endian fields to a header being built.
#pragma once

#include <cstdint>
#include <vector>

inline void put16(std::vector<uint8_t> &out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

inline void put32(std::vector<uint8_t> &out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

inline void put64(std::vector<uint8_t> &out, uint64_t value)
{
    put32(out, uint32_t(value));
    put32(out, uint32_t(value >> 32));
}
