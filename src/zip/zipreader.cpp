// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — reading a zip's members back, each checked against its CRC as it streams.
#include "zip/zipreader.h"

#include "zip/crc32stream.h"
#include "zip/zipfilesource.h"

#include <QFile>

#include <libdeflate.h>
#include <zip.h>

#include <memory>

namespace {

constexpr qsizetype kReadChunk = 1024 * 1024;

QString errorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

// A file that starts like a zip but will not open has lost its end, or worse.
bool startsLikeZip(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArrayLiteral("PK\x03\x04");
}

using ZipFile = std::unique_ptr<zip_file_t, decltype(&zip_fclose)>;

QString crcMismatch(quint32 stored, quint32 found)
{
    return found == stored
        ? QString()
        : QStringLiteral("CRC error (the zip says %1, the data gives %2)").arg(crcText(stored), crcText(found));
}

} // namespace

ZipReader::ZipReader(const QString &path, Buffers *buffers)
    : m_buffers(buffers ? buffers : &m_ownBuffers)
{
    int code = 0;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!m_archive) {
        m_problem = startsLikeZip(path) ? QStringLiteral("damaged or cut short (%1)").arg(errorText(code))
                                        : QStringLiteral("not a zip");
        return;
    }
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(m_archive, static_cast<zip_uint64_t>(i), 0, &st) == 0)
            m_members.push_back({QString::fromUtf8(st.name), static_cast<qint64>(st.size), st.crc});
    }
}

ZipReader::~ZipReader()
{
    if (m_archive)
        zip_discard(m_archive);
}

// Hands every byte of `file` to `sink`; the CRC of what passed goes to `crc` when given.
QString ZipReader::pass(zip_file_t *file, const Sink &sink, Crc32Stream *crc) const
{
    QByteArray &chunk = m_buffers->chunk;
    chunk.resize(kReadChunk);
    for (;;) {
        const zip_int64_t n = zip_fread(file, chunk.data(), static_cast<zip_uint64_t>(chunk.size()));
        if (n < 0)
            return QString::fromUtf8(zip_file_strerror(file));
        if (n == 0)
            return {};
        if (crc)
            crc->add(chunk.constData(), static_cast<qsizetype>(n));
        sink(chunk.constData(), static_cast<qsizetype>(n));
    }
}

// A deflated member the writer deflated in memory is inflated the same way:
// libdeflate inflates and checks it several times faster than the zip library.
QString ZipReader::inflateWhole(zip_file_t *file, const zip_stat_t &st, const Sink &sink) const
{
    QByteArray &packed = m_buffers->packed;
    packed.resize(static_cast<qsizetype>(st.comp_size));
    for (qsizetype got = 0; got < packed.size();) {
        const zip_int64_t n = zip_fread(file, packed.data() + got, static_cast<zip_uint64_t>(packed.size() - got));
        if (n < 0)
            return QString::fromUtf8(zip_file_strerror(file));
        if (n == 0)
            return errorText(ZIP_ER_EOF);
        got += static_cast<qsizetype>(n);
    }
    QByteArray &data = m_buffers->data;
    data.resize(static_cast<qsizetype>(st.size));
    const std::unique_ptr<libdeflate_decompressor, decltype(&libdeflate_free_decompressor)> inflater(
        libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
    if (!inflater)
        return errorText(ZIP_ER_MEMORY);
    if (libdeflate_deflate_decompress(inflater.get(), packed.constData(), static_cast<size_t>(packed.size()),
                                      data.data(), static_cast<size_t>(data.size()), nullptr)
        != LIBDEFLATE_SUCCESS)
        return errorText(ZIP_ER_COMPRESSED_DATA);
    Crc32Stream crc;
    crc.add(data);
    sink(data.constData(), data.size());
    return crcMismatch(st.crc, crc.value());
}

QString ZipReader::read(std::size_t index, const Sink &sink) const
{
    zip_stat_t st;
    const auto at = static_cast<zip_uint64_t>(index);
    if (zip_stat_index(m_archive, at, 0, &st) != 0)
        return QString::fromUtf8(zip_error_strerror(zip_get_error(m_archive)));
    const bool plain =
        (st.valid & ZIP_STAT_CRC) && (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method == ZIP_EM_NONE;
    const bool stored = plain && st.comp_method == ZIP_CM_STORE;
    const bool inMemory = plain && st.comp_method == ZIP_CM_DEFLATE
        && st.size <= static_cast<zip_uint64_t>(kInMemoryDeflateLimit)
        && st.comp_size <= static_cast<zip_uint64_t>(kInMemoryDeflateLimit);
    // Stored and in-memory members are read as they lie and checked here; the rest by the zip library.
    const ZipFile file(zip_fopen_index(m_archive, at, stored || inMemory ? ZIP_FL_COMPRESSED : 0), zip_fclose);
    if (!file)
        return QString::fromUtf8(zip_error_strerror(zip_get_error(m_archive)));
    if (inMemory)
        return inflateWhole(file.get(), st, sink);
    Crc32Stream crc;
    const QString error = pass(file.get(), sink, stored ? &crc : nullptr);
    return error.isEmpty() && stored ? crcMismatch(st.crc, crc.value()) : error;
}
