// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the RAR 1.5-4.x block types and flags our volumes use, for the writer and the set test alike.
#pragma once

#include <cstdint>

namespace rarblock {

constexpr uint8_t kTypeMain = 0x73;
constexpr uint8_t kTypeFile = 0x74;
constexpr uint8_t kTypeSubBlock = 0x77;
constexpr uint8_t kTypeEnd = 0x7B;

constexpr uint16_t kFileSplitBefore = 0x0001;
constexpr uint16_t kFileSplitAfter = 0x0002;
constexpr uint16_t kFileDirectory = 0x00E0;
constexpr uint16_t kFileLarge = 0x0100;
constexpr uint16_t kFileUnicode = 0x0200;
constexpr uint16_t kFileExtTime = 0x1000;
constexpr uint16_t kLongBlock = 0x8000;

constexpr uint16_t kEndNextVolume = 0x0001;
constexpr uint16_t kEndVolumeNumber = 0x0008;

} // namespace rarblock
