// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the MD5s and CRCs a PAR 2.0 set records of its input files, taken as they are read.
#include "par2checksums.h"

#include "zip/crc32stream.h"

Par2Checksums::Par2Checksums(qsizetype files, quint64 sliceSize)
    : m_sliceSize(sliceSize)
    , m_slices(files)
{
    for (qsizetype i = 0; i < files; ++i)
        m_files.push_back(std::make_unique<QCryptographicHash>(QCryptographicHash::Md5));
}

void Par2Checksums::add(const Par2SlicePiece &piece)
{
    m_files[piece.file]->addData(piece.bytes);
    m_slice.addData(piece.bytes);
    Crc32Stream crc(m_crc);
    crc.add(piece.bytes);
    m_crc = crc.value();
    if (piece.endsSlice)
        endSlice(piece.file, piece.offset + quint64(piece.bytes.size()));
}

void Par2Checksums::endSlice(qsizetype file, quint64 filled)
{
    const QByteArray zeros(qsizetype(std::min<quint64>(m_sliceSize - filled, 1 << 20)), '\0');
    Crc32Stream crc(m_crc);
    for (quint64 left = m_sliceSize - filled; left > 0;) {
        const qsizetype n = qsizetype(std::min<quint64>(left, quint64(zeros.size())));
        m_slice.addData(QByteArrayView(zeros.constData(), n));
        crc.add(zeros.constData(), n);
        left -= quint64(n);
    }
    m_slices[file] += m_slice.result() + par2Integer(crc.value(), 4);
    m_slice.reset();
    m_crc = 0;
}
