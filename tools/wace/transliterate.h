// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — ASCII names for ACE, whose readers take names as OEM bytes.
#pragma once

#include <string>

/**
 * The name with every character outside ASCII replaced: Latin letters
 * with accents by their base letters (é e, Ü U, ß ss, Æ AE, Ł L), a
 * no-break space by a blank, dashes and typographic quotes by their ASCII
 * forms, everything else (other scripts, symbols) by "_". ASCII is kept,
 * control characters too: the name rule deals with those.
 */
std::string transliterateToAscii(const std::string &utf8);
