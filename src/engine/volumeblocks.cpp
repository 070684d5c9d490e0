// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the headers of our own RAR and ACE store volumes, as a reader sees them.
#include "engine/volumeblocks.h"

#include "formats/aceblocks.h"
#include "formats/rarblocks.h"
#include "zip/crc32stream.h"

#include <QtEndian>

namespace {

constexpr qsizetype kRarFileFixed = 32; // a file header's fixed part, before its name

quint16 u16(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.data() + at);
}
quint32 u32(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.data() + at);
}
quint64 u64(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint64>(b.data() + at);
}

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
    if ((flags & rarblock::kLongBlock) && h.size() >= 11)
        block.dataSize = u32(h, 7);
    if (type == rarblock::kTypeMain) {
        block.kind = VolumeBlock::Kind::Main;
    } else if (type == rarblock::kTypeEnd) {
        block.kind = VolumeBlock::Kind::End;
        block.nextVolume = flags & rarblock::kEndNextVolume;
    } else if (type == rarblock::kTypeFile) {
        const qsizetype nameAt = (flags & rarblock::kFileLarge) ? kRarFileFixed + 8 : kRarFileFixed;
        if (h.size() < nameAt || h.size() < nameAt + u16(h, 26))
            return damaged(QStringLiteral("a file header too short for its fields"));
        block.kind = VolumeBlock::Kind::File;
        if (flags & rarblock::kFileLarge) // may wrap negative: the reader refuses that size
            block.dataSize = static_cast<qint64>(quint64(u32(h, 32)) << 32 | u32(h, 7));
        block.crc = u32(h, 16);
        block.continuesPrevious = flags & rarblock::kFileSplitBefore;
        block.continuesNext = flags & rarblock::kFileSplitAfter;
        const QByteArrayView field = h.sliced(nameAt, u16(h, 26));
        block.name =
            (flags & rarblock::kFileUnicode) ? displayName(field) : QString::fromLatin1(field).replace(u'\\', u'/');
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
    if ((flags & aceblock::kFileAddSize) && h.size() >= 11)
        block.dataSize = u32(h, 7);
    if (type == aceblock::kTypeMain) {
        if (h.size() < 14 || h.sliced(7, 7) != QByteArrayView("**ACE**"))
            return damaged(QStringLiteral("a main header without the ACE signature"));
        block.kind = VolumeBlock::Kind::Main;
    } else if (type == aceblock::kTypeFile || type == aceblock::kTypeFile64) {
        const qsizetype wide = type == aceblock::kTypeFile64 ? 8 : 0; // 64-bit sizes push every later field
        const qsizetype nameAt = 35 + wide;
        if (h.size() < nameAt || h.size() < nameAt + u16(h, 33 + wide))
            return damaged(QStringLiteral("a file header too short for its fields"));
        block.kind = VolumeBlock::Kind::File;
        if (wide)
            block.dataSize = static_cast<qint64>(u64(h, 7));
        block.crc = u32(h, 23 + wide);
        block.continuesPrevious = flags & aceblock::kFileContinuesPrevious;
        block.continuesNext = flags & aceblock::kFileContinuesNext;
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
