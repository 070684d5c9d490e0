// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — UTF-8 names as code points and back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/** Decodes UTF-8; a byte that does not start a valid sequence stands for itself (Latin-1). */
std::vector<uint32_t> decodeUtf8(const std::string &text);
void appendUtf8(std::string &out, uint32_t codePoint);
