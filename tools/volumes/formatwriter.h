// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what an archive format tells the shared volume writer.
#pragma once

#include "volumes/entry.h"
#include "volumes/storednames.h"
#include "volumes/volumeplan.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class Diagnostics;

/** Where a volume stands in its set. */
struct VolumeInfo
{
    std::size_t index = 0; // 0 = the first volume
    std::size_t count = 1;
    bool volumeSet = false; // written with a volume switch (even when one volume was enough)
};

/** The checksums of one piece, known once its data has been read. */
struct PieceCrcs
{
    uint32_t piece = 0; // CRC-32 of this piece's bytes
    uint32_t running = 0; // CRC-32 of the entry's bytes from its start through this piece
};

/**
 * One archive format. The shared writer plans the volumes with the sizes
 * given here, writes volumeStart(), then for each piece a header of exactly
 * headerSize() + the piece's padding bytes (a filler inside or before the
 * header, as the format allows) followed by its data, then
 * volumeEnd(); the two fixed parts together are volumeOverhead() bytes.
 */
class FormatWriter
{
public:
    virtual ~FormatWriter() = default;

    /** One name (a path component) as the format's readers can hold it. */
    virtual NameFix fixName(const std::string &name) const = 0;
    /** Sets the entry's storedName; false (after a warning) leaves it out. */
    virtual bool prepare(Entry &entry, Diagnostics &diagnostics) const = 0;
    virtual uint32_t headerSize(const Entry &entry) const = 0;
    /** The smallest and largest filler (Piece::padding) the format can add to a header. */
    virtual uint32_t minPadding() const = 0;
    virtual uint32_t maxPadding() const = 0;
    virtual uint64_t volumeOverhead(bool volumeSet) const = 0;

    virtual std::vector<uint8_t> volumeStart(const VolumeInfo &volume) const = 0;
    virtual std::vector<uint8_t> volumeEnd(const VolumeInfo &volume) const = 0;
    virtual std::vector<uint8_t> pieceHeader(const Entry &entry, const Piece &piece, const PieceCrcs &crcs) const = 0;
};
