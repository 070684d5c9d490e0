// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the MD5s and CRCs a PAR 2.0 set records of an input file, taken as its bytes pass.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCryptographicHash>

#include <QString>

#include <memory>
#include <optional>

/** What a PAR 2.0 set records of one file's bytes, for one slice size. */
struct Par2FileChecksums
{
    quint64 sliceSize = 0;
    quint64 length = 0;
    QByteArray md5;
    QByteArray md5Head; ///< of the first 16 KiB
    QByteArray slices; ///< per slice its MD5 then its CRC-32 (4 bytes, little-endian), as the packet lists them
};

/**
 * Takes a file's checksums from its bytes handed in order, as they are written or read, so
 * that the file need not be read again for them. A last partial slice is checksummed padded
 * with zeros to the slice size.
 */
class Par2FileDigest
{
public:
    explicit Par2FileDigest(quint64 sliceSize);
    void add(QByteArrayView bytes);
    /** The checksums of the bytes added; the digest takes no more bytes after. */
    Par2FileChecksums finish();

private:
    void addToSlice(QByteArrayView bytes);
    void endSlice();

    Par2FileChecksums m_sums;
    std::unique_ptr<QCryptographicHash> m_file;
    std::unique_ptr<QCryptographicHash> m_head;
    std::unique_ptr<QCryptographicHash> m_slice;
    quint32 m_crc = 0;
    quint64 m_filled = 0; ///< bytes of the current slice added
};

/** The checksums of the file at `path`, read once in large pieces; none when it cannot be read. */
std::optional<Par2FileChecksums> par2ChecksumsOfFile(const QString &path, quint64 sliceSize);
