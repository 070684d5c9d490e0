// Varko 2000 — the headers of our own RAR and ACE store volumes, as a reader sees them.
#include "engine/volumeblocks.h"

#include "zip/crc32stream.h"

#include <QtEndian>

namespace {

// RAR 1.5-4.x block types and flags.
constexpr quint8 kRarMain = 0x73;
constexpr quint8 kRarFile = 0x74;
constexpr quint8 kRarEnd = 0x7B;
constexpr quint16 kRarLongBlock = 0x8000;
constexpr quint16 kRarLarge = 0x0100;
constexpr quint16 kRarUnicode = 0x0200;
constexpr quint16 kRarSplitBefore = 0x0001;
constexpr quint16 kRarSplitAfter = 0x0002;
constexpr quint16 kRarNextVolume = 0x0001;
constexpr qsizetype kRarFileFixed = 32;

// ACE block types and flags.
constexpr quint8 kAceMain = 0;
constexpr quint8 kAceFile = 1;
constexpr quint8 kAceLargeFile = 3;
constexpr quint16 kAceAddSize = 0x0001;
constexpr quint16 kAceContinuesPrevious = 0x1000;
constexpr quint16 kAceContinuesNext = 0x2000;

quint16 u16(QByteArrayView b, qsizetype at) { return qFromLittleEndian<quint16>(b.data() + at); }
quint32 u32(QByteArrayView b, qsizetype at) { return qFromLittleEndian<quint32>(b.data() + at); }
quint64 u64(QByteArrayView b, qsizetype at) { return qFromLittleEndian<quint64>(b.data() + at); }

quint16 crcLow16(QByteArrayView bytes)
{
    Crc32Stream crc;
    crc.add(bytes);
    return static_cast<quint16>(crc.value());
}

VolumeBlock damaged(const QString &why)
{
    VolumeBlock block;
    block.problem = why;
    return block;
}

// A Unicode RAR name carries UTF-8 bytes before a 0 and an encoded form after it.
QString displayName(QByteArrayView field)
{
    const qsizetype zero = field.indexOf('\0');
    const QString name = QString::fromUtf8(zero < 0 ? field : field.first(zero));
    return QString(name).replace(u'\\', u'/');
}

VolumeBlock decodeRar(QByteArrayView h)
{
    if (u16(h, 0) != crcLow16(h.sliced(2)))
        return damaged(QStringLiteral("a damaged header (its CRC does not match)"));
    VolumeBlock block;
    const quint8 type = static_cast<quint8>(h[2]);
    const quint16 flags = u16(h, 3);
    if ((flags & kRarLongBlock) && h.size() >= 11)
        block.dataSize = u32(h, 7);
    if (type == kRarMain) {
        block.kind = VolumeBlock::Kind::Main;
    } else if (type == kRarEnd) {
        block.kind = VolumeBlock::Kind::End;
        block.nextVolume = flags & kRarNextVolume;
    } else if (type == kRarFile) {
        const qsizetype nameAt = (flags & kRarLarge) ? kRarFileFixed + 8 : kRarFileFixed;
        if (h.size() < nameAt || h.size() < nameAt + u16(h, 26))
            return damaged(QStringLiteral("a file header too short for its fields"));
        block.kind = VolumeBlock::Kind::File;
        if (flags & kRarLarge) // may wrap negative: the reader refuses that size
            block.dataSize = static_cast<qint64>(quint64(u32(h, 32)) << 32 | u32(h, 7));
        block.crc = u32(h, 16);
        block.continuesPrevious = flags & kRarSplitBefore;
        block.continuesNext = flags & kRarSplitAfter;
        const QByteArrayView field = h.sliced(nameAt, u16(h, 26));
        block.name = (flags & kRarUnicode) ? displayName(field) : QString::fromLatin1(field).replace(u'\\', u'/');
    }
    return block;
}

VolumeBlock decodeAce(QByteArrayView h)
{
    if (h.size() < 7 || u16(h, 0) != static_cast<quint16>(~crcLow16(h.sliced(4))))
        return damaged(QStringLiteral("a damaged header (its CRC does not match)"));
    VolumeBlock block;
    const quint8 type = static_cast<quint8>(h[4]);
    const quint16 flags = u16(h, 5);
    if ((flags & kAceAddSize) && h.size() >= 11)
        block.dataSize = u32(h, 7);
    if (type == kAceMain) {
        if (h.size() < 14 || h.sliced(7, 7) != QByteArrayView("**ACE**"))
            return damaged(QStringLiteral("a main header without the ACE signature"));
        block.kind = VolumeBlock::Kind::Main;
    } else if (type == kAceFile || type == kAceLargeFile) {
        const qsizetype wide = type == kAceLargeFile ? 8 : 0; // 64-bit sizes push every later field
        const qsizetype nameAt = 35 + wide;
        if (h.size() < nameAt || h.size() < nameAt + u16(h, 33 + wide))
            return damaged(QStringLiteral("a file header too short for its fields"));
        block.kind = VolumeBlock::Kind::File;
        if (wide)
            block.dataSize = static_cast<qint64>(u64(h, 7));
        block.crc = u32(h, 23 + wide);
        block.continuesPrevious = flags & kAceContinuesPrevious;
        block.continuesNext = flags & kAceContinuesNext;
        block.name = QString::fromLatin1(h.sliced(nameAt, u16(h, 33 + wide))).replace(u'\\', u'/');
    }
    return block;
}

} // namespace

namespace VolumeBlocks {

QByteArray volumeSignature(ArchiveFormat format)
{
    return format == ArchiveFormat::Rar ? QByteArrayLiteral("Rar!\x1A\x07\x00") : QByteArray();
}

qsizetype prefixSize(ArchiveFormat format)
{
    return format == ArchiveFormat::Rar ? 7 : 4;
}

qsizetype headerSize(ArchiveFormat format, QByteArrayView prefix)
{
    return format == ArchiveFormat::Rar ? u16(prefix, 5) : 4 + u16(prefix, 2);
}

VolumeBlock decode(ArchiveFormat format, QByteArrayView header)
{
    return format == ArchiveFormat::Rar ? decodeRar(header) : decodeAce(header);
}

quint32 expectedCrc(ArchiveFormat format, bool continuesNext, quint32 pieceCrc, quint32 runningCrc)
{
    if (format == ArchiveFormat::Ace)
        return ~runningCrc;
    return continuesNext ? pieceCrc : runningCrc;
}

} // namespace VolumeBlocks
