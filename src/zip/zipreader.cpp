// Varko 2000 — reading a zip's members back, each checked against its CRC as it streams.
#include "zip/zipreader.h"

#include <QFile>

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

} // namespace

ZipReader::ZipReader(const QString &path)
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
            m_members.push_back({QString::fromUtf8(st.name), static_cast<qint64>(st.size)});
    }
}

ZipReader::~ZipReader()
{
    if (m_archive)
        zip_discard(m_archive);
}

QString ZipReader::read(std::size_t index, const Sink &sink) const
{
    const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
        zip_fopen_index(m_archive, static_cast<zip_uint64_t>(index), 0), zip_fclose);
    if (!file)
        return QString::fromUtf8(zip_error_strerror(zip_get_error(m_archive)));
    QByteArray chunk(kReadChunk, Qt::Uninitialized);
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), chunk.data(), static_cast<zip_uint64_t>(chunk.size()));
        if (n < 0)
            return QString::fromUtf8(zip_file_strerror(file.get()));
        if (n == 0)
            return {};
        sink(chunk.constData(), static_cast<qsizetype>(n));
    }
}
