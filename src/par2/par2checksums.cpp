// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the MD5s and CRCs a PAR 2.0 set records of an input file, taken as its bytes pass.
#include "par2checksums.h"

#include "par2packet.h"
#include "zip/crc32stream.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr quint64 HeadSize = 16 * 1024;

std::unique_ptr<QCryptographicHash> md5()
{
    return std::make_unique<QCryptographicHash>(QCryptographicHash::Md5);
}

} // namespace

Par2FileDigest::Par2FileDigest(quint64 sliceSize)
    : m_file(md5())
    , m_head(md5())
    , m_slice(md5())
{
    m_sums.sliceSize = sliceSize;
}

void Par2FileDigest::add(QByteArrayView bytes)
{
    m_file->addData(bytes);
    if (m_sums.length < HeadSize)
        m_head->addData(bytes.first(qsizetype(std::min<quint64>(HeadSize - m_sums.length, bytes.size()))));
    m_sums.length += quint64(bytes.size());
    while (!bytes.isEmpty()) {
        const auto here = qsizetype(std::min<quint64>(m_sums.sliceSize - m_filled, quint64(bytes.size())));
        addToSlice(bytes.first(here));
        bytes = bytes.sliced(here);
        if (m_filled == m_sums.sliceSize)
            endSlice();
    }
}

Par2FileChecksums Par2FileDigest::finish()
{
    if (m_filled > 0) {
        const QByteArray zeros(qsizetype(std::min<quint64>(m_sums.sliceSize - m_filled, 1 << 20)), '\0');
        while (m_filled < m_sums.sliceSize)
            addToSlice(
                QByteArrayView(zeros).first(qsizetype(std::min<quint64>(m_sums.sliceSize - m_filled, zeros.size()))));
        endSlice();
    }
    m_sums.md5 = m_file->result();
    m_sums.md5Head = m_head->result();
    return m_sums;
}

void Par2FileDigest::addToSlice(QByteArrayView bytes)
{
    m_slice->addData(bytes);
    Crc32Stream crc(m_crc);
    crc.add(bytes);
    m_crc = crc.value();
    m_filled += quint64(bytes.size());
}

void Par2FileDigest::endSlice()
{
    m_sums.slices += m_slice->result() + par2Integer(m_crc, 4);
    m_slice->reset();
    m_crc = 0;
    m_filled = 0;
}

std::optional<Par2FileChecksums> par2ChecksumsOfFile(const QString &path, quint64 sliceSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    Par2FileDigest digest(sliceSize);
    QByteArray buffer(1024 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(buffer.data(), buffer.size());
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return digest.finish();
        digest.add(QByteArrayView(buffer.constData(), got));
    }
}
