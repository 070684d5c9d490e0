// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the RAR 1.5-4.x blocks a store-only volume writer needs.
#include "wrar/rarformat.h"

#include "formats/rarblocks.h"
#include "volumes/crc32.h"
#include "volumes/diagnostics.h"
#include "volumes/dostime.h"
#include "volumes/littleendian.h"
#include "wrar/rarnames.h"

namespace {

using namespace rarblock;

constexpr uint8_t kHostUnix = 3;
constexpr uint8_t kVersion29 = 29;
constexpr uint8_t kMethodStore = 0x30;
constexpr std::size_t kMaxNameUnits = 1000; // 7-Zip decodes at most 1024

constexpr uint32_t kExtTimeSize = 2 + 3;

// The base header's CRC: low 16 bits of CRC-32 over everything after the CRC field.
std::vector<uint8_t> sealed(std::vector<uint8_t> block)
{
    const uint32_t crc = crc32Update(0, block.data() + 2, block.size() - 2);
    block[0] = uint8_t(crc);
    block[1] = uint8_t(crc >> 8);
    return block;
}

std::vector<uint8_t> baseHeader(uint8_t type, uint16_t flags, uint32_t size)
{
    std::vector<uint8_t> block{0, 0, type};
    block.reserve(size);
    put16(block, flags);
    put16(block, size);
    return block;
}

bool isLarge(uint64_t size)
{
    // unrar reads a 32-bit 0xFFFFFFFF without LARGE as "size unknown".
    return size >= 0xFFFFFFFFu;
}

} // namespace

namespace rar {

std::vector<uint8_t> markerBlock()
{
    return {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
}

std::vector<uint8_t> mainHeader(uint16_t flags)
{
    std::vector<uint8_t> block = baseHeader(kTypeMain, flags, 13);
    put16(block, 0);
    put32(block, 0);
    return sealed(std::move(block));
}

std::vector<uint8_t> endBlock(bool volumeSet, bool nextVolume, uint16_t volumeNumber)
{
    const uint16_t flags = (volumeSet ? kEndVolumeNumber : 0) | (nextVolume ? kEndNextVolume : 0);
    std::vector<uint8_t> block = baseHeader(kTypeEnd, flags, volumeSet ? 9 : 7);
    if (volumeSet)
        put16(block, volumeNumber);
    return sealed(std::move(block));
}

std::vector<uint8_t> fillerBlock(uint32_t size)
{
    // 7-Zip rejects a file header longer than its fields, so the filler is a
    // block of its own, placed before the file header it belongs to.
    std::vector<uint8_t> block = baseHeader(kTypeSubBlock, kLongBlock, kFillerMinSize);
    put32(block, size - kFillerMinSize); // DATA_SIZE
    put16(block, 0); // SUB_TYPE: none of the known ones (0x100 to 0x105)
    block.push_back(0); // LEVEL
    block = sealed(std::move(block));
    block.resize(size, 0);
    return block;
}

uint32_t fileHeaderSize(std::size_t nameSize, uint64_t size, bool extTime)
{
    return uint32_t(32 + nameSize + (isLarge(size) ? 8 : 0) + (extTime ? kExtTimeSize : 0));
}

std::vector<uint8_t> fileHeader(const FileFields &f)
{
    const bool large = isLarge(f.size);
    const uint16_t flags = kLongBlock | (f.splitBefore ? kFileSplitBefore : 0) | (f.splitAfter ? kFileSplitAfter : 0)
        | (f.directory ? kFileDirectory : 0) | (large ? kFileLarge : 0) | (f.unicode ? kFileUnicode : 0)
        | (f.extTime ? kFileExtTime : 0);
    const uint32_t size = fileHeaderSize(f.name.size(), f.size, f.extTime);
    std::vector<uint8_t> block = baseHeader(kTypeFile, flags, size);
    put32(block, uint32_t(f.pieceSize));
    put32(block, uint32_t(f.size));
    block.push_back(kHostUnix);
    put32(block, f.crc);
    put32(block, f.dosTime);
    block.push_back(kVersion29);
    block.push_back(kMethodStore);
    put16(block, uint32_t(f.name.size()));
    put32(block, f.attributes);
    if (large) {
        put32(block, uint32_t(f.pieceSize >> 32));
        put32(block, uint32_t(f.size >> 32));
    }
    block.insert(block.end(), f.name.begin(), f.name.end());
    if (f.extTime) {
        // Modification time only: present, its odd second, three bytes of 100 ns units.
        put16(block, uint32_t(0x8 | (f.oddSecond ? 0x4 : 0) | 3) << 12);
        block.push_back(uint8_t(f.fraction));
        block.push_back(uint8_t(f.fraction >> 8));
        block.push_back(uint8_t(f.fraction >> 16));
    }
    return sealed(std::move(block));
}

} // namespace rar

namespace {

bool hasHighBytes(const std::string &field)
{
    for (char c : field) {
        if (uint8_t(c) >= 0x80)
            return true;
    }
    return false;
}

// EXTTIME is written only when it adds something: an odd second or a fraction.
bool needsExtTime(const Entry &entry, const DosTime &time)
{
    return time.exact && (time.oddSecond || entry.mtimeNanoseconds / 100 != 0);
}

} // namespace

// RAR readers take a backslash for a folder separator: inside a name it
// would make a folder of its own.
NameFix RarFormat::fixName(const std::string &name) const
{
    return underscored(name, [](unsigned char c) { return c == '\\'; });
}

bool RarFormat::prepare(Entry &entry, Diagnostics &diagnostics) const
{
    const RarName name = encodeRarName(entry.archivePath);
    if (name.units > kMaxNameUnits) {
        diagnostics.warn(entry.sourcePath + ": name too long for RAR readers (skipped)");
        return false;
    }
    entry.storedName = name.field;
    return true;
}

uint32_t RarFormat::headerSize(const Entry &entry) const
{
    return rar::fileHeaderSize(entry.storedName.size(), entry.size, needsExtTime(entry, toDosTime(entry.mtime)));
}

uint32_t RarFormat::minPadding() const
{
    return rar::kFillerMinSize;
}

uint32_t RarFormat::maxPadding() const
{
    return uint32_t(1) << 30;
}

uint64_t RarFormat::volumeOverhead(bool volumeSet) const
{
    return 7 + 13 + (volumeSet ? 9 : 7);
}

std::vector<uint8_t> RarFormat::volumeStart(const VolumeInfo &volume) const
{
    std::vector<uint8_t> start = rar::markerBlock();
    uint16_t flags = 0;
    if (volume.volumeSet)
        flags = rar::kMainVolume | (volume.index == 0 ? rar::kMainFirstVolume : 0);
    const std::vector<uint8_t> main = rar::mainHeader(flags);
    start.insert(start.end(), main.begin(), main.end());
    return start;
}

std::vector<uint8_t> RarFormat::volumeEnd(const VolumeInfo &volume) const
{
    return rar::endBlock(volume.volumeSet, volume.index + 1 < volume.count, uint16_t(volume.index));
}

std::vector<uint8_t> RarFormat::pieceHeader(const Entry &entry, const Piece &piece, const PieceCrcs &crcs) const
{
    const DosTime time = toDosTime(entry.mtime);
    rar::FileFields f;
    f.name = entry.storedName;
    f.unicode = hasHighBytes(entry.storedName);
    f.directory = entry.isDirectory;
    f.size = entry.size;
    f.pieceSize = piece.length;
    // A piece that continues carries its own CRC; the last one the whole file's.
    f.crc = piece.continuesNext ? crcs.piece : crcs.running;
    f.dosTime = time.value;
    f.extTime = needsExtTime(entry, time);
    f.oddSecond = time.oddSecond;
    f.fraction = uint32_t(entry.mtimeNanoseconds / 100);
    f.attributes = entry.mode;
    f.splitBefore = piece.continuesPrevious();
    f.splitAfter = piece.continuesNext;
    std::vector<uint8_t> header = piece.padding > 0 ? rar::fillerBlock(piece.padding) : std::vector<uint8_t>();
    const std::vector<uint8_t> file = rar::fileHeader(f);
    header.insert(header.end(), file.begin(), file.end());
    return header;
}
