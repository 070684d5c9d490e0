// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — UTF-8 names as code points and back.
#include "volumes/utf8.h"

std::vector<uint32_t> decodeUtf8(const std::string &text)
{
    std::vector<uint32_t> result;
    const auto *bytes = reinterpret_cast<const uint8_t *>(text.data());
    for (std::size_t i = 0; i < text.size();) {
        const uint8_t lead = bytes[i];
        const int extra = lead < 0xC2 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : 0;
        uint32_t cp = extra == 3 ? lead & 0x07 : extra == 2 ? lead & 0x0F : lead & 0x1F;
        bool valid = extra > 0 && i + std::size_t(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            valid = (bytes[i + std::size_t(k)] & 0xC0) == 0x80;
            cp = (cp << 6) | (bytes[i + std::size_t(k)] & 0x3F);
        }
        valid = valid && !(extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000)))
            && !(extra == 3 && (cp < 0x10000 || cp > 0x10FFFF));
        if (lead < 0x80 || !valid) {
            result.push_back(lead);
            ++i;
        } else {
            result.push_back(cp);
            i += std::size_t(extra) + 1;
        }
    }
    return result;
}

void appendUtf8(std::string &out, uint32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}
