// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — which bytes of which entry go into which volume.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/** What the planner needs to know of an entry: its header and data sizes. */
struct PlanItem
{
    uint32_t headerSize = 0; // the entry's block header, the same in every piece
    uint64_t dataSize = 0; // 0 for folders and empty files
};

/** The part of one entry stored in one volume, after its own header. */
struct Piece
{
    uint32_t item = 0; // index into the planned items
    uint64_t offset = 0; // of the piece's first byte in the entry's data
    uint64_t length = 0;
    uint32_t padding = 0; // filler bytes the format adds to this piece's header
    bool continuesNext = false;

    bool continuesPrevious() const { return offset > 0; }
};

struct PlannedVolume
{
    std::vector<Piece> pieces;
    uint64_t size = 0; // the whole volume, fixed blocks included
};

struct VolumeLimits
{
    uint64_t volumeBytes = 0; // 0: one archive holding everything, in item order
    uint64_t overhead = 0; // the fixed blocks of every volume
    uint32_t minPadding = 1; // the smallest filler the format can write
    uint32_t maxPadding = 0; // the largest filler readers accept
    std::size_t maxVolumes = 0;
};

/**
 * Lays the items out in volumes of exactly `volumeBytes`, but the last.
 * Every volume but the last ends inside a file's data (a piece that
 * continues next), because several readers stop at a volume that ends
 * between two entries; a continuing file's next piece is the first entry of
 * the next volume, and no piece of a non-empty file is empty.
 *
 * Entries that cannot be split (folders, empty and one-byte files) come
 * first, the others follow in item order. When the next entry's header and
 * a byte no longer fit, the volume still has to end inside a file: the
 * last file in it gets a filler with its header (padding, at least
 * `minPadding` bytes) and leaves its last bytes for the next volume, or a
 * later file starts here (with a filler when needed); if neither works, the
 * volume's last entries move on behind that file, one at a time, until one
 * does.
 *
 * No value, and `error` set, when the volumes are too small for the headers
 * or more than `maxVolumes` would be needed.
 */
std::optional<std::vector<PlannedVolume>> planVolumes(const std::vector<PlanItem> &items, const VolumeLimits &limits,
                                                      std::string &error);
