// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — ASCII names for ACE, whose readers take names as OEM bytes.
#include "wace/transliterate.h"

#include "volumes/utf8.h"

#include <cstdint>

namespace {

// U+00C0 to U+017F, one letter each; "*" marks the letters written as two.
constexpr char kLatin1[] = "AAAAAA*CEEEEIIIIDNOOOOOxOUUUUY**aaaaaa*ceeeeiiiidnooooo_ouuuuy*y";
constexpr char kLatinExtendedA[] = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi**JjKkkLlLlLlLlLl"
                                   "NnNnNnnNnOoOoOo**RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

const char *twoLetters(uint32_t cp)
{
    switch (cp) {
    case 0xC6: return "AE";
    case 0xDE: return "Th";
    case 0xDF: return "ss";
    case 0xE6: return "ae";
    case 0xFE: return "th";
    case 0x132: return "IJ";
    case 0x133: return "ij";
    case 0x152: return "OE";
    case 0x153: return "oe";
    default: return nullptr;
    }
}

std::string asciiFor(uint32_t cp)
{
    if (cp < 0x80)
        return std::string(1, char(cp));
    if (const char *two = twoLetters(cp))
        return two;
    if (cp >= 0xC0 && cp <= 0xFF)
        return std::string(1, kLatin1[cp - 0xC0]);
    if (cp >= 0x100 && cp <= 0x17F)
        return std::string(1, kLatinExtendedA[cp - 0x100]);
    switch (cp) {
    case 0xA0: return " ";
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015: return "-";
    case 0x2018:
    case 0x2019:
    case 0x201A: return "'";
    case 0x201C:
    case 0x201D:
    case 0x201E: return "\"";
    default: return "_";
    }
}

} // namespace

std::string transliterateToAscii(const std::string &utf8)
{
    std::string ascii;
    for (uint32_t cp : decodeUtf8(utf8))
        ascii += asciiFor(cp);
    return ascii;
}
