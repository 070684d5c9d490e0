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
