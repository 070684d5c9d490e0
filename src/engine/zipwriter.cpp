// Varko 2000 — the zip writer: one zip, written in one pass, with progress and abort.
#include "zipwriter.h"

#include "deflatedsource.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <cmath>

namespace {

void onProgress(zip_t *, double fraction, void *writer)
{
    static_cast<ZipWriter *>(writer)->reportProgress(fraction);
}

int onCancel(zip_t *, void *writer)
{
    return static_cast<ZipWriter *>(writer)->cancelRequested() ? 1 : 0;
}

zip_source_t *sourceFor(zip_t *archive, const ZipWriter::Entry &entry, int level, zip_error_t *error)
{
    const QFileInfo info(entry.sourcePath);
    if (level > 0 && info.isFile() && info.size() <= kInMemoryDeflateLimit)
        return createDeflatedSource(archive, entry.sourcePath, level, error);
    return zip_source_file_create(QFile::encodeName(entry.sourcePath).constData(), 0, -1, error);
}

// Adds one file; 0 or the library's error code.
int addEntry(zip_t *archive, const ZipWriter::Entry &entry, int level)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = sourceFor(archive, entry, level, &error);
    if (!source) {
        const int code = zip_error_code_zip(&error);
        zip_error_fini(&error);
        return code;
    }
    const zip_int64_t index = zip_file_add(archive, entry.entryName.toUtf8().constData(), source,
                                           ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return zip_error_code_zip(zip_get_error(archive));
    }
    const zip_int32_t method = level == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, static_cast<zip_uint32_t>(level)) < 0)
        return zip_error_code_zip(zip_get_error(archive));
    return 0;
}

} // namespace

int ZipWriter::deflateLevel(int zipcomp)
{
    static constexpr int kLevels[] = {0, 1, 3, 6, 8, 9};
    if (zipcomp <= 0)
        return 0;
    return kLevels[std::min(zipcomp, 5)];
}

int ZipWriter::write(const QString &zipPath, const std::vector<Entry> &entries)
{
    int errorCode = 0;
    zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE, &errorCode);
    if (!archive)
        return errorCode != 0 ? errorCode : ZIP_ER_OPEN;
    const int level = deflateLevel(m_zipcomp);
    for (const Entry &entry : entries) {
        if (const int code = addEntry(archive, entry, level)) {
            zip_discard(archive);
            return code;
        }
    }
    if (!m_comment.isEmpty()) {
        const QByteArray comment = m_comment.toUtf8();
        zip_set_archive_comment(archive, comment.constData(), static_cast<zip_uint16_t>(std::min<qsizetype>(comment.size(), 65535)));
    }
    m_lastPercent = -1;
    zip_register_progress_callback_with_state(archive, 0.01, onProgress, nullptr, this);
    zip_register_cancel_callback_with_state(archive, onCancel, nullptr, this);
    if (zip_close(archive) < 0) {
        const int code = zip_error_code_zip(zip_get_error(archive));
        zip_discard(archive);
        return code != 0 ? code : ZIP_ER_INTERNAL;
    }
    return 0;
}

QString ZipWriter::errorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

void ZipWriter::reportProgress(double fraction)
{
    const int percent = static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 100.0));
    if (percent == m_lastPercent || !m_progress)
        return;
    m_lastPercent = percent;
    m_progress(percent);
}

bool ZipWriter::cancelRequested() const
{
    return m_cancel && m_cancel();
}
