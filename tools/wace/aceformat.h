// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the ACE blocks a store-only volume writer needs.
#pragma once

#include "volumes/formatwriter.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace ace {

/** ACE's CRC-32: the usual one without the final inversion ("123456789" gives 0x340BC6D9). */
uint32_t aceCrc(uint32_t zlibCrc);

/** Main header (type 0, 31 bytes), the first block of every volume. */
std::vector<uint8_t> mainHeader(bool multiVolume, uint8_t volumeNumber, uint32_t dosTime);

/** Everything a file block (type 1, or 3 for sizes over 32 bits) holds. */
struct FileFields
{
    std::string name; // ASCII, "\" between components
    uint64_t size = 0; // the whole file
    uint64_t pieceSize = 0; // the data after this header
    uint32_t crc = 0; // ACE CRC (aceCrc) of the file's bytes through this piece
    uint32_t dosTime = 0;
    uint32_t attributes = 0; // DOS attributes
    bool continuesPrevious = false;
    bool continuesNext = false;
    uint32_t padding = 0; // reserved bytes beyond the 4 every header gets
};

/** The whole header, CRC and size fields included, without extra padding. */
uint32_t fileHeaderSize(std::size_t nameSize, uint64_t size);
std::vector<uint8_t> fileHeader(const FileFields &fields);

} // namespace ace

/** ACE volumes in the store method, for the shared volume writer. */
class AceFormat : public FormatWriter
{
public:
    /** `created`: the time stamp of the main headers. */
    explicit AceFormat(std::time_t created);

    NameFix fixName(const std::string &name) const override;
    bool prepare(Entry &entry, Diagnostics &diagnostics) const override;
    uint32_t headerSize(const Entry &entry) const override;
    uint32_t minPadding() const override { return 1; }
    uint32_t maxPadding() const override;
    uint64_t volumeOverhead(bool volumeSet) const override;
    std::vector<uint8_t> volumeStart(const VolumeInfo &volume) const override;
    std::vector<uint8_t> volumeEnd(const VolumeInfo &volume) const override;
    std::vector<uint8_t> pieceHeader(const Entry &entry, const Piece &piece, const PieceCrcs &crcs) const override;

private:
    uint32_t m_created;
};
