// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the MD5s and CRCs a PAR 2.0 set records of its input files, taken as they are read.
#pragma once

#include "par2input.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QList>

#include <memory>
#include <vector>

/**
 * Each file's MD5 and each slice's MD5 and CRC-32, a last partial slice padded with zeros.
 * Pieces must come in order and cover whole slices.
 */
class Par2Checksums
{
public:
    Par2Checksums(qsizetype files, quint64 sliceSize);
    void add(const Par2SlicePiece &piece);
    QByteArray fileMd5(qsizetype file) const { return m_files[file]->result(); }
    /** Per slice its MD5 and CRC-32, as the slice checksum packet lists them. */
    QByteArray sliceChecksums(qsizetype file) const { return m_slices[file]; }

private:
    void endSlice(qsizetype file, quint64 filled);

    quint64 m_sliceSize;
    std::vector<std::unique_ptr<QCryptographicHash>> m_files;
    QCryptographicHash m_slice{QCryptographicHash::Md5};
    quint32 m_crc = 0;
    QList<QByteArray> m_slices;
};
