// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the ACE block types and flags our volumes use, for the writer and the set test alike.
#pragma once

#include <cstdint>

namespace aceblock {

constexpr uint8_t kTypeMain = 0;
constexpr uint8_t kTypeFile = 1;
constexpr uint8_t kTypeFile64 = 3;

constexpr uint16_t kMainMultiVolume = 0x0800;
constexpr uint16_t kFileAddSize = 0x0001;
constexpr uint16_t kFile64 = 0x0004;
constexpr uint16_t kFileContinuesPrevious = 0x1000;
constexpr uint16_t kFileContinuesNext = 0x2000;

} // namespace aceblock
