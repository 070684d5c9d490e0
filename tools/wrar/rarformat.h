// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the RAR 1.5-4.x blocks a store-only volume writer needs.
#pragma once

#include "volumes/formatwriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rar {

/** The 7-byte marker block that starts every volume. */
std::vector<uint8_t> markerBlock();

constexpr uint16_t kMainVolume = 0x0001;
constexpr uint16_t kMainFirstVolume = 0x0100;
/** Main archive header (type 0x73, 13 bytes); `flags` from kMain*. */
std::vector<uint8_t> mainHeader(uint16_t flags);

/**
 * End-of-archive block (type 0x7B). With a volume number (flag VOLNUMBER,
 * 9 bytes) when `volumeSet`, plain (7 bytes) otherwise; NEXT_VOLUME when
 * another volume follows.
 */
std::vector<uint8_t> endBlock(bool volumeSet, bool nextVolume, uint16_t volumeNumber);

/**
 * A filler of `size` bytes (at least 14): an old-style subblock (type 0x77,
 * LONG_BLOCK) of a subtype no reader knows, with zero data. Readers skip it;
 * it lets a volume end inside a file's data at its exact size.
 */
std::vector<uint8_t> fillerBlock(uint32_t size);
constexpr uint32_t kFillerMinSize = 14;

/** Everything a file header (type 0x74) holds. */
struct FileFields
{
    std::string name; // the name field (see encodeRarName)
    bool unicode = false;
    bool directory = false;
    uint64_t size = 0; // the whole file
    uint64_t pieceSize = 0; // the data after this header
    uint32_t crc = 0;
    uint32_t dosTime = 0;
    bool extTime = false; // EXTTIME with the modification time's odd second and 100 ns units
    bool oddSecond = false;
    uint32_t fraction = 0; // 100 ns units within the second
    uint32_t attributes = 0; // Unix st_mode, host OS 3
    bool splitBefore = false;
    bool splitAfter = false;
};

/** HEAD_SIZE of a file header without padding. */
uint32_t fileHeaderSize(std::size_t nameSize, uint64_t size, bool extTime);
std::vector<uint8_t> fileHeader(const FileFields &fields);

} // namespace rar

/** RAR volumes in the store method, for the shared volume writer. */
class RarFormat : public FormatWriter
{
public:
    NameFix fixName(const std::string &name) const override;
    bool prepare(Entry &entry, Diagnostics &diagnostics) const override;
    uint32_t headerSize(const Entry &entry) const override;
    uint32_t minPadding() const override;
    uint32_t maxPadding() const override;
    uint64_t volumeOverhead(bool volumeSet) const override;
    std::vector<uint8_t> volumeStart(const VolumeInfo &volume) const override;
    std::vector<uint8_t> volumeEnd(const VolumeInfo &volume) const override;
    std::vector<uint8_t> pieceHeader(const Entry &entry, const Piece &piece, const PieceCrcs &crcs) const override;
};
