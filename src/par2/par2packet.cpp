// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the packets of a PAR 2.0 file, as bytes.
#include "par2packet.h"

#include "version.h"

#include <QCryptographicHash>

namespace {

QByteArray typeField(const char *name)
{
    QByteArray type("PAR 2.0", 8); // with its terminating zero
    type.append(name);
    type.resize(16, '\0');
    return type;
}

} // namespace

namespace Par2Type {
QByteArray main()
{
    return typeField("Main");
}
QByteArray fileDescription()
{
    return typeField("FileDesc");
}
QByteArray sliceChecksums()
{
    return typeField("IFSC");
}
QByteArray recoverySlice()
{
    return typeField("RecvSlic");
}
QByteArray creator()
{
    return typeField("Creator");
}
} // namespace Par2Type

QByteArray par2Integer(quint64 value, int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size && i < 8; ++i)
        bytes[i] = char(value >> (8 * i));
    return bytes;
}

QByteArray par2Padded(QByteArray bytes)
{
    bytes.resize((bytes.size() + 3) / 4 * 4, '\0');
    return bytes;
}

QByteArray par2Header(const QByteArray &setId, const QByteArray &type, quint64 bodySize, const QByteArray &md5)
{
    return QByteArray("PAR2\0PKT", 8) + par2Integer(Par2HeaderSize + bodySize, 8) + md5 + setId + type;
}

QByteArray par2Packet(const QByteArray &setId, const QByteArray &type, const QByteArray &body)
{
    QCryptographicHash md5(QCryptographicHash::Md5);
    md5.addData(setId);
    md5.addData(type);
    md5.addData(body);
    return par2Header(setId, type, body.size(), md5.result()) + body;
}

QByteArray par2MainBody(quint64 sliceSize, const QList<QByteArray> &fileIds)
{
    QByteArray body = par2Integer(sliceSize, 8) + par2Integer(fileIds.size(), 4);
    for (const QByteArray &id : fileIds)
        body += id;
    return body;
}

QByteArray par2FileId(const QByteArray &md5Head, quint64 length, const QByteArray &name)
{
    return QCryptographicHash::hash(md5Head + par2Integer(length, 8) + name, QCryptographicHash::Md5);
}

QByteArray par2FileDescriptionBody(const Par2FileDescription &file)
{
    return file.fileId + file.md5 + file.md5Head + par2Integer(file.length, 8) + par2Padded(file.name);
}

QByteArray par2SliceChecksumBody(const QByteArray &fileId, const QByteArray &checksums)
{
    return fileId + checksums;
}

QByteArray par2CreatorBody()
{
    return par2Padded(QByteArrayLiteral("Created by Varko 2000 version " VARKO_VERSION "."));
}

QByteArrayView par2Magic()
{
    return QByteArrayView("PAR2\0PKT", 8);
}

quint64 par2ReadInteger(QByteArrayView bytes, qsizetype at, int size)
{
    quint64 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | uchar(bytes[at + i]);
    return value;
}

std::optional<Par2PacketHeader> par2ParseHeader(QByteArrayView bytes)
{
    if (bytes.size() < Par2HeaderSize || !bytes.startsWith(par2Magic()))
        return std::nullopt;
    Par2PacketHeader header;
    header.length = par2ReadInteger(bytes, 8, 8);
    if (header.length < quint64(Par2HeaderSize) || header.length % 4)
        return std::nullopt;
    header.md5 = bytes.sliced(16, 16).toByteArray();
    header.setId = bytes.sliced(32, 16).toByteArray();
    header.type = bytes.sliced(48, 16).toByteArray();
    return header;
}

std::optional<Par2Main> par2ParseMain(QByteArrayView body)
{
    if (body.size() < 12)
        return std::nullopt;
    Par2Main main;
    main.sliceSize = par2ReadInteger(body, 0, 8);
    const quint64 count = par2ReadInteger(body, 8, 4);
    if (main.sliceSize == 0 || main.sliceSize % 4 || count > quint64(body.size() - 12) / 16)
        return std::nullopt;
    for (quint64 i = 0; i < count; ++i)
        main.fileIds.append(body.sliced(12 + qsizetype(i) * 16, 16).toByteArray());
    return main;
}

std::optional<Par2FileDescription> par2ParseFileDescription(QByteArrayView body)
{
    if (body.size() < 56)
        return std::nullopt;
    Par2FileDescription file;
    file.fileId = body.sliced(0, 16).toByteArray();
    file.md5 = body.sliced(16, 16).toByteArray();
    file.md5Head = body.sliced(32, 16).toByteArray();
    file.length = par2ReadInteger(body, 48, 8);
    const QByteArrayView name = body.sliced(56);
    file.name = name.first(name.indexOf('\0') < 0 ? name.size() : name.indexOf('\0')).toByteArray();
    return file;
}

std::optional<Par2SliceChecksums> par2ParseSliceChecksums(QByteArrayView body)
{
    if (body.size() < 16 || (body.size() - 16) % 20)
        return std::nullopt;
    return Par2SliceChecksums{body.first(16).toByteArray(), body.sliced(16).toByteArray()};
}
