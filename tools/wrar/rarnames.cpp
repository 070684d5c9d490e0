// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — file names as RAR 1.5-4.x stores them.
#include "wrar/rarnames.h"

#include "volumes/utf8.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// High byte 0, then a flag byte with opcode 2 (a whole 16-bit unit) for each
// of the next four units, those units little-endian, and so on.
std::string encodedBlock(const std::vector<uint32_t> &units)
{
    std::string block(1, '\0');
    for (std::size_t group = 0; group < units.size(); group += 4) {
        const std::size_t count = std::min<std::size_t>(4, units.size() - group);
        static const char flags[] = {'\0', char(0x80), char(0xA0), char(0xA8), char(0xAA)};
        block += flags[count];
        for (std::size_t k = 0; k < count; ++k) {
            block += char(units[group + k] & 0xFF);
            block += char(units[group + k] >> 8);
        }
    }
    return block;
}

} // namespace

RarName encodeRarName(const std::string &path)
{
    std::vector<uint32_t> cps = decodeUtf8(path);
    bool ascii = true;
    bool bmp = true;
    for (uint32_t &cp : cps) {
        if (cp == '/')
            cp = '\\';
        ascii = ascii && cp < 0x80;
        bmp = bmp && cp < 0x10000;
    }
    RarName name;
    for (uint32_t cp : cps) {
        appendUtf8(name.field, cp);
        name.units += cp < 0x10000 ? 1 : 2;
    }
    if (ascii)
        return name;
    name.unicode = true;
    if (bmp)
        name.field += '\0' + encodedBlock(cps);
    return name;
}
