// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the packets of a PAR 2.0 file, as bytes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <optional>

/** The 16-byte type field of each packet kind we write. */
namespace Par2Type {
QByteArray main();
QByteArray fileDescription();
QByteArray sliceChecksums();
QByteArray recoverySlice();
QByteArray creator();
} // namespace Par2Type

/** Header size: magic, length, packet MD5, recovery set ID, type. */
constexpr qsizetype Par2HeaderSize = 64;

/** A whole packet: the header (with the MD5 over set ID, type and body) and `body`. */
QByteArray par2Packet(const QByteArray &setId, const QByteArray &type, const QByteArray &body);
/** The header alone, for a body of `bodySize` bytes whose packet MD5 is `md5`. */
QByteArray par2Header(const QByteArray &setId, const QByteArray &type, quint64 bodySize, const QByteArray &md5);

/** Main body; the set ID is its MD5. `fileIds` in the order that numbers the slices. */
QByteArray par2MainBody(quint64 sliceSize, const QList<QByteArray> &fileIds);

/** What a file description says of one input file. */
struct Par2FileDescription
{
    QByteArray fileId;
    QByteArray md5;
    QByteArray md5Head; ///< of the first 16 KiB
    quint64 length = 0;
    QByteArray name;
};

QByteArray par2FileDescriptionBody(const Par2FileDescription &file);
/** MD5 of the head's MD5, the length and the name: what identifies a file in a set. */
QByteArray par2FileId(const QByteArray &md5Head, quint64 length, const QByteArray &name);
/** `checksums`: per slice its MD5 (16 bytes) then its CRC-32 (4, little-endian). */
QByteArray par2SliceChecksumBody(const QByteArray &fileId, const QByteArray &checksums);
QByteArray par2CreatorBody();
/** Pads to a multiple of 4 with zero bytes, as every packet field of text is. */
QByteArray par2Padded(QByteArray bytes);
/** Little-endian bytes of `value`, `size` of them. */
QByteArray par2Integer(quint64 value, int size);

/** The magic every packet starts with. */
QByteArrayView par2Magic();

/** A packet's header as read; the MD5 is still to be checked against the bytes after it. */
struct Par2PacketHeader
{
    quint64 length = 0; ///< of the whole packet, header included
    QByteArray md5;
    QByteArray setId;
    QByteArray type;
};

/** The header at the start of `bytes` (64 of them); no value without the magic or with an impossible length. */
std::optional<Par2PacketHeader> par2ParseHeader(QByteArrayView bytes);
/** The value of `size` little-endian bytes at `at` in `bytes`. */
quint64 par2ReadInteger(QByteArrayView bytes, qsizetype at, int size);

/** What a main packet says: the slice size and the recovery set's File IDs in slice order. */
struct Par2Main
{
    quint64 sliceSize = 0;
    QList<QByteArray> fileIds;
};

std::optional<Par2Main> par2ParseMain(QByteArrayView body);
/** The description of one file; its name without the zero padding. */
std::optional<Par2FileDescription> par2ParseFileDescription(QByteArrayView body);
/** A slice checksum packet: the File ID, then per slice its MD5 and CRC-32 (20 bytes each). */
struct Par2SliceChecksums
{
    QByteArray fileId;
    QByteArray checksums;
};
std::optional<Par2SliceChecksums> par2ParseSliceChecksums(QByteArrayView body);
