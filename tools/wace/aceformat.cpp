// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the ACE blocks a store-only volume writer needs.
#include "wace/aceformat.h"

#include "formats/aceblocks.h"
#include "volumes/crc32.h"
#include "volumes/diagnostics.h"
#include "volumes/dostime.h"
#include "volumes/littleendian.h"
#include "wace/transliterate.h"

#include <string_view>
#include <sys/stat.h>

namespace {

using namespace aceblock;

constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrArchive = 0x20;

constexpr uint8_t kVersion10 = 10;
constexpr uint8_t kHostWin32 = 2;
// unace 1.2b copies names into a fixed buffer: 255 bytes pass, 256 do not.
constexpr std::size_t kMaxNameSize = 255;
// Extra reserved header bytes, well below what unace 1.2b was seen to skip (60000).
constexpr uint32_t kMaxPadding = 4096;

// HEAD_CRC and HEAD_SIZE cover everything from HEAD_TYPE on.
std::vector<uint8_t> sealed(std::vector<uint8_t> block)
{
    const uint32_t size = uint32_t(block.size() - 4);
    block[2] = uint8_t(size);
    block[3] = uint8_t(size >> 8);
    const uint32_t crc = ace::aceCrc(crc32Update(0, block.data() + 4, size));
    block[0] = uint8_t(crc);
    block[1] = uint8_t(crc >> 8);
    return block;
}

bool isLarge(uint64_t size)
{
    return size > 0xFFFFFFFFu;
}

} // namespace

namespace ace {

uint32_t aceCrc(uint32_t zlibCrc)
{
    return ~zlibCrc;
}

std::vector<uint8_t> mainHeader(bool multiVolume, uint8_t volumeNumber, uint32_t dosTime)
{
    std::vector<uint8_t> block{0, 0, 0, 0, kTypeMain};
    put16(block, multiVolume ? kMainMultiVolume : 0);
    for (char c : std::string("**ACE**"))
        block.push_back(uint8_t(c));
    block.push_back(kVersion10); // needed to extract
    block.push_back(kVersion10); // created by
    block.push_back(kHostWin32);
    block.push_back(volumeNumber);
    put32(block, dosTime);
    block.resize(block.size() + 8, 0); // reserved
    block.push_back(0); // AV_SIZE: unace 1.2b reads it even without the AV flag
    return sealed(std::move(block));
}

uint32_t fileHeaderSize(std::size_t nameSize, uint64_t size)
{
    return uint32_t(4 + 31 + nameSize + 4 + (isLarge(size) ? 8 : 0));
}

std::vector<uint8_t> fileHeader(const FileFields &f)
{
    const bool large = isLarge(f.size);
    std::vector<uint8_t> block{0, 0, 0, 0, large ? kTypeFile64 : kTypeFile};
    put16(block,
          kFileAddSize | (large ? kFile64 : 0) | (f.continuesPrevious ? kFileContinuesPrevious : 0)
              | (f.continuesNext ? kFileContinuesNext : 0));
    if (large) {
        put64(block, f.pieceSize);
        put64(block, f.size);
    } else {
        put32(block, uint32_t(f.pieceSize));
        put32(block, uint32_t(f.size));
    }
    put32(block, f.dosTime);
    put32(block, f.attributes);
    put32(block, f.crc);
    put32(block, 0); // technique: store, quality 0, parameter 0
    put16(block, 0); // reserved
    put16(block, uint32_t(f.name.size()));
    block.insert(block.end(), f.name.begin(), f.name.end());
    // Four reserved bytes at least: Debian's unace 1.2b rejects shorter file headers.
    block.resize(block.size() + 4 + f.padding, 0);
    return sealed(std::move(block));
}

} // namespace ace

AceFormat::AceFormat(std::time_t created)
    : m_created(toDosTime(created).value)
{
}

// ACE names are DOS and Windows names (the main header says Win32): those
// systems cannot create a name holding these characters, and every ACE
// reader takes a backslash for a folder separator.
namespace {

bool aceCannotHold(unsigned char c)
{
    return c < 0x20 || c == 0x7F || std::string_view("\\*?:<>|\"").find(char(c)) != std::string_view::npos;
}

} // namespace

NameFix AceFormat::fixName(const std::string &name) const
{
    const std::string ascii = transliterateToAscii(name);
    NameFix fix = underscored(ascii, aceCannotHold);
    if (ascii != name)
        fix.held.insert(fix.held.begin(), "characters outside ASCII");
    return fix;
}

bool AceFormat::prepare(Entry &entry, Diagnostics &diagnostics) const
{
    std::string name = entry.archivePath;
    if (name.size() > kMaxNameSize) {
        diagnostics.warn(entry.sourcePath + ": name too long for ACE readers (skipped)");
        return false;
    }
    if (entry.size > 0xFFFFFFFFu)
        diagnostics.warn(entry.sourcePath + ": over 4 GiB, stored with 64-bit sizes that unace 1.2b cannot read");
    for (char &c : name) {
        if (c == '/')
            c = '\\';
    }
    entry.storedName = std::move(name);
    return true;
}

uint32_t AceFormat::headerSize(const Entry &entry) const
{
    return ace::fileHeaderSize(entry.storedName.size(), entry.size);
}

uint32_t AceFormat::maxPadding() const
{
    return kMaxPadding;
}

uint64_t AceFormat::volumeOverhead(bool) const
{
    return 4 + 27; // the main header; ACE has no end block
}

std::vector<uint8_t> AceFormat::volumeStart(const VolumeInfo &volume) const
{
    // The volume number is one byte; readers only need 0 in the first volume.
    return ace::mainHeader(volume.count > 1, uint8_t(volume.index), m_created);
}

std::vector<uint8_t> AceFormat::volumeEnd(const VolumeInfo &) const
{
    return {};
}

std::vector<uint8_t> AceFormat::pieceHeader(const Entry &entry, const Piece &piece, const PieceCrcs &crcs) const
{
    ace::FileFields f;
    f.name = entry.storedName;
    f.size = entry.size;
    f.pieceSize = piece.length;
    // The running CRC, as the original archiver writes; the last piece's is the whole file's.
    f.crc = ace::aceCrc(crcs.running);
    f.dosTime = toDosTime(entry.mtime).value;
    if (entry.isDirectory)
        f.attributes = kAttrDirectory;
    else
        f.attributes = kAttrArchive | ((entry.mode & S_IWUSR) ? 0 : kAttrReadOnly);
    f.continuesPrevious = piece.continuesPrevious();
    f.continuesNext = piece.continuesNext;
    f.padding = piece.padding;
    return ace::fileHeader(f);
}
