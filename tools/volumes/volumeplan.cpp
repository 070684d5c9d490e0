// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — which bytes of which entry go into which volume.
#include "volumes/volumeplan.h"

#include <algorithm>
#include <deque>

namespace {

struct Work
{
    uint32_t item;
    uint64_t offset;
};

class Planner
{
public:
    Planner(const std::vector<PlanItem> &items, const VolumeLimits &limits)
        : m_items(items)
        , m_limits(limits)
        , m_capacity(limits.volumeBytes - limits.overhead)
    {
        // Unsplittable entries first: they can only go where they fit whole.
        for (int pass = 0; pass < 2; ++pass) {
            for (uint32_t i = 0; i < items.size(); ++i) {
                if ((items[i].dataSize < 2) == (pass == 0))
                    m_pending.push_back({i, 0});
            }
        }
    }

    std::optional<std::vector<PlannedVolume>> run(std::string &error);

private:
    enum class Fill { Done, EndedInside, Slack };

    uint64_t headerOf(uint32_t item) const { return m_items[item].headerSize; }
    Fill fill(PlannedVolume &volume, uint64_t &free);
    bool endInside(PlannedVolume &volume, uint64_t free);
    void moveOn(PlannedVolume &volume, std::size_t k);
    bool shortenPiece(PlannedVolume &volume, std::size_t k, uint64_t room);
    bool startPending(PlannedVolume &volume, std::size_t k, uint64_t room);

    const std::vector<PlanItem> &m_items;
    VolumeLimits m_limits;
    uint64_t m_capacity;
    std::deque<Work> m_pending;
};

Planner::Fill Planner::fill(PlannedVolume &volume, uint64_t &free)
{
    while (!m_pending.empty()) {
        Work &work = m_pending.front();
        const uint64_t header = headerOf(work.item);
        const uint64_t rest = m_items[work.item].dataSize - work.offset;
        if (header + rest <= free) {
            volume.pieces.push_back({work.item, work.offset, rest, 0, false});
            free -= header + rest;
            m_pending.pop_front();
            continue;
        }
        if (rest < 2 || header + 1 > free)
            return Fill::Slack;
        const uint64_t length = free - header;
        volume.pieces.push_back({work.item, work.offset, length, 0, true});
        work.offset += length;
        free = 0;
        return Fill::EndedInside;
    }
    return Fill::Done;
}

// Ends a volume that has `free` bytes left after complete entries inside a
// file: either a file already in it gives up its last bytes and takes a
// filler, or a file still pending starts here. The last `k` entries may move
// on to make room, k growing from 0 until a way is found.
bool Planner::endInside(PlannedVolume &volume, uint64_t free)
{
    std::size_t removable = 0;
    while (removable < volume.pieces.size() && !volume.pieces[volume.pieces.size() - 1 - removable].continuesPrevious())
        ++removable;
    uint64_t room = free;
    for (std::size_t k = 0; k <= removable; ++k) {
        if (k > 0) {
            const Piece &piece = volume.pieces[volume.pieces.size() - k];
            room += headerOf(piece.item) + piece.length;
        }
        if (k < volume.pieces.size() && shortenPiece(volume, k, room))
            return true;
        if (startPending(volume, k, room))
            return true;
    }
    return false;
}

void Planner::moveOn(PlannedVolume &volume, std::size_t k)
{
    for (std::size_t i = 0; i < k; ++i) {
        m_pending.push_front({volume.pieces.back().item, 0});
        volume.pieces.pop_back();
    }
}

// The complete piece before the last `k` takes a filler and leaves at least
// its last byte for the next volume.
bool Planner::shortenPiece(PlannedVolume &volume, std::size_t k, uint64_t room)
{
    const Piece &piece = volume.pieces[volume.pieces.size() - 1 - k];
    const uint64_t padding = std::max<uint64_t>(room + 1, m_limits.minPadding);
    if (padding > m_limits.maxPadding || padding >= room + piece.length)
        return false;
    moveOn(volume, k);
    Piece &last = volume.pieces.back();
    last.length -= padding - room;
    last.padding = uint32_t(padding);
    last.continuesNext = true;
    m_pending.push_front({last.item, last.offset + last.length});
    return true;
}

// A pending file that does not fit whole starts in the room, with a filler
// when its header and data alone cannot fill it exactly.
bool Planner::startPending(PlannedVolume &volume, std::size_t k, uint64_t room)
{
    constexpr std::size_t kCandidates = 256;
    for (std::size_t c = 0; c < m_pending.size() && c < kCandidates; ++c) {
        const Work candidate = m_pending[c];
        const uint64_t rest = m_items[candidate.item].dataSize - candidate.offset;
        const uint64_t header = headerOf(candidate.item);
        if (candidate.offset != 0 || rest < 2 || room < header + 1)
            continue;
        uint64_t length = std::min(rest - 1, room - header);
        uint64_t padding = room - header - length;
        if (padding > 0 && padding < m_limits.minPadding) {
            padding = m_limits.minPadding;
            if (room < header + padding + 1)
                continue;
            length = room - header - padding;
        }
        if (padding > m_limits.maxPadding)
            continue;
        m_pending.erase(m_pending.begin() + std::ptrdiff_t(c));
        moveOn(volume, k);
        volume.pieces.push_back({candidate.item, 0, length, uint32_t(padding), true});
        m_pending.push_front({candidate.item, length});
        return true;
    }
    return false;
}

std::optional<std::vector<PlannedVolume>> Planner::run(std::string &error)
{
    std::vector<PlannedVolume> volumes;
    for (;;) {
        if (volumes.size() == m_limits.maxVolumes) {
            error = "more than " + std::to_string(m_limits.maxVolumes) + " volumes would be needed";
            return std::nullopt;
        }
        PlannedVolume &volume = volumes.emplace_back();
        uint64_t free = m_capacity;
        const Fill outcome = fill(volume, free);
        if (outcome == Fill::Slack && volume.pieces.empty()) {
            error = "the volume size is too small for the entries' headers";
            return std::nullopt;
        }
        if (outcome == Fill::Slack && !endInside(volume, free)) {
            error = "cannot end volume " + std::to_string(volumes.size())
                + " inside a file: " + "the volume size is too small for these entries";
            return std::nullopt;
        }
        volume.size = m_limits.overhead;
        for (const Piece &piece : volume.pieces)
            volume.size += headerOf(piece.item) + piece.padding + piece.length;
        if (outcome == Fill::Done)
            return volumes;
    }
}

} // namespace

std::optional<std::vector<PlannedVolume>> planVolumes(const std::vector<PlanItem> &items, const VolumeLimits &limits,
                                                      std::string &error)
{
    if (limits.volumeBytes == 0) {
        PlannedVolume single;
        single.size = limits.overhead;
        for (uint32_t i = 0; i < items.size(); ++i) {
            single.pieces.push_back({i, 0, items[i].dataSize, 0, false});
            single.size += items[i].headerSize + items[i].dataSize;
        }
        return std::vector<PlannedVolume>{std::move(single)};
    }
    if (limits.volumeBytes <= limits.overhead) {
        error = "the volume size is too small for the archive's own blocks";
        return std::nullopt;
    }
    return Planner(items, limits).run(error);
}
