// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — file names as RAR 1.5-4.x stores them.
#pragma once

#include <cstddef>
#include <string>

/** A name field and whether the header's UNICODE flag (0x0200) goes with it. */
struct RarName
{
    std::string field;
    bool unicode = false;
    std::size_t units = 0; // UTF-16 code units of the name
};

/**
 * The name field for a relative path with "/" separators, given in UTF-8
 * (a byte that is not UTF-8 counts as Latin-1). Separators become "\".
 * ASCII: the bytes as they are. Otherwise the UNICODE form: UTF-8 bytes,
 * 0x00, then the encoded block (high byte 0, then groups of a flag byte and
 * up to four UTF-16 units, each written whole with opcode 2). A name with a
 * character outside the Basic Multilingual Plane is stored as plain UTF-8
 * with the UNICODE flag and no 0x00 instead, which every reader we test
 * takes as UTF-8, while unrar cuts encoded surrogate pairs.
 */
RarName encodeRarName(const std::string &path);
