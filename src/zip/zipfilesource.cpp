// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the zip source for one file: deflated in memory, or read in large chunks.
#include "zip/zipfilesource.h"

#include <QFile>
#include <QFileInfo>

#include <libdeflate.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <sys/stat.h>

// libdeflate deflates a whole buffer two to three times faster than zlib's
// stream at the same level, and a volume is small enough to hold. The zip
// library is told the data is deflated already, so it only copies it.
// A file read as it is goes in large chunks: the library asks for 8 KB at a
// time, and a system call for each would cost more than the copying.

namespace {

struct FileSource
{
    QString path;
    int level = 0; ///< 0: the file is read as it is
    time_t mtime = 0;
    quint32 attributes = 0;
    bool compressed = false; ///< `data` holds the deflated file
    bool known = false; ///< the sizes (and when deflated, the CRC) are known
    std::optional<QByteArray> content; ///< held in memory instead of read from `path`
    QFile file; ///< open while a file read as it is is copied
    QByteArray data; ///< the deflated file, or the chunk being copied
    zip_uint64_t size = 0;
    zip_uint64_t compressedSize = 0;
    zip_uint32_t crc = 0;
    qsizetype offset = 0;
    zip_error_t error;
};

std::optional<QByteArray> readInput(FileSource &state)
{
    if (state.content)
        return state.content;
    QFile file(state.path);
    if (!file.open(QIODevice::ReadOnly)) {
        zip_error_set(&state.error, ZIP_ER_OPEN, errno);
        return std::nullopt;
    }
    QByteArray input = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        zip_error_set(&state.error, ZIP_ER_READ, 0);
        return std::nullopt;
    }
    return input;
}

bool compress(FileSource &state)
{
    const std::optional<QByteArray> read = readInput(state);
    if (!read)
        return false;
    const QByteArray &input = *read;
    const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(state.level), libdeflate_free_compressor);
    if (!compressor) {
        zip_error_set(&state.error, ZIP_ER_MEMORY, 0);
        return false;
    }
    state.data.resize(static_cast<qsizetype>(libdeflate_deflate_compress_bound(compressor.get(), input.size())));
    const size_t written = libdeflate_deflate_compress(compressor.get(), input.constData(), input.size(),
                                                       state.data.data(), state.data.size());
    state.data.resize(static_cast<qsizetype>(written));
    state.size = static_cast<zip_uint64_t>(input.size());
    state.compressedSize = written;
    state.crc = static_cast<zip_uint32_t>(libdeflate_crc32(0, input.constData(), input.size()));
    state.compressed = state.known = true;
    return true;
}

zip_int64_t fillStat(FileSource &state, void *data, zip_uint64_t length)
{
    if (length < sizeof(zip_stat_t) || (!state.known && !compress(state)))
        return -1;
    auto *st = static_cast<zip_stat_t *>(data);
    zip_stat_init(st);
    st->size = state.size;
    st->mtime = state.mtime;
    st->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME;
    if (state.level > 0) {
        st->comp_size = state.compressedSize;
        st->comp_method = ZIP_CM_DEFLATE;
        st->crc = state.crc;
        st->valid |= ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
    }
    return sizeof(zip_stat_t);
}

zip_int64_t fillAttributes(const FileSource &state, void *data, zip_uint64_t length)
{
    if (length < sizeof(zip_file_attributes_t))
        return -1;
    auto *attributes = static_cast<zip_file_attributes_t *>(data);
    attributes->host_system = ZIP_OPSYS_UNIX;
    attributes->external_file_attributes = state.attributes;
    attributes->valid |= ZIP_FILE_ATTRIBUTES_HOST_SYSTEM | ZIP_FILE_ATTRIBUTES_EXTERNAL_FILE_ATTRIBUTES;
    return sizeof(zip_file_attributes_t);
}

zip_int64_t open(FileSource &state)
{
    state.offset = 0;
    if (state.level > 0)
        return state.compressed || compress(state) ? 0 : -1;
    if (state.content) {
        state.data = *state.content;
        return 0;
    }
    state.data.clear();
    if (state.file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return 0;
    zip_error_set(&state.error, ZIP_ER_OPEN, 0);
    return -1;
}

bool readChunk(FileSource &state)
{
    state.data.resize(kZipReadChunk);
    const qint64 n = state.file.read(state.data.data(), kZipReadChunk);
    state.data.resize(std::max<qint64>(n, 0));
    state.offset = 0;
    if (n < 0)
        zip_error_set(&state.error, ZIP_ER_READ, 0);
    return n >= 0;
}

zip_int64_t read(FileSource &state, void *data, zip_uint64_t length)
{
    if (state.level == 0 && !state.content && state.offset == state.data.size() && !readChunk(state))
        return -1;
    const qsizetype n = std::min<qsizetype>(static_cast<qsizetype>(length), state.data.size() - state.offset);
    std::memcpy(data, state.data.constData() + state.offset, static_cast<size_t>(n));
    state.offset += n;
    return n;
}

zip_int64_t callback(void *userdata, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto &state = *static_cast<FileSource *>(userdata);
    switch (command) {
    case ZIP_SOURCE_OPEN: return open(state);
    case ZIP_SOURCE_READ: return read(state, data, length);
    case ZIP_SOURCE_CLOSE:
        // The copy is done: the memory goes back at once; the sizes stay known.
        state.file.close();
        state.data = QByteArray();
        state.compressed = false;
        return 0;
    case ZIP_SOURCE_STAT: return fillStat(state, data, length);
    case ZIP_SOURCE_GET_FILE_ATTRIBUTES: return fillAttributes(state, data, length);
    case ZIP_SOURCE_ERROR: return zip_error_to_data(&state.error, data, length);
    case ZIP_SOURCE_FREE:
        zip_error_fini(&state.error);
        std::unique_ptr<FileSource>(&state).reset();
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_GET_FILE_ATTRIBUTES, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default: zip_error_set(&state.error, ZIP_ER_OPNOTSUPP, 0); return -1;
    }
}

constexpr qint64 kSampleSize = 16 * 1024;
constexpr int kSamples = 4;

} // namespace

bool looksIncompressible(const QString &path)
{
    QFile file(path);
    if (file.size() < kSamples * kSampleSize || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(1), libdeflate_free_compressor);
    QByteArray sample(kSampleSize, Qt::Uninitialized);
    QByteArray packed(kSampleSize, Qt::Uninitialized);
    qint64 saved = 0;
    for (int i = 0; i < kSamples; ++i) {
        if (!compressor || !file.seek(file.size() / kSamples * i)
            || file.read(sample.data(), kSampleSize) != kSampleSize)
            return false;
        // No room in `packed` for the whole sample: it did not shrink at all.
        const size_t size = libdeflate_deflate_compress(compressor.get(), sample.constData(), kSampleSize,
                                                        packed.data(), packed.size());
        saved += size == 0 ? 0 : kSampleSize - static_cast<qint64>(size);
    }
    return saved * 50 < kSamples * kSampleSize;
}

quint32 externalAttributes(const QString &path)
{
    struct stat st
    {
    };
    const bool known = ::stat(QFile::encodeName(path).constData(), &st) == 0;
    return static_cast<quint32>(known ? st.st_mode : S_IFREG | 0666) << 16;
}

namespace {

zip_source_t *sourceOf(zip_t *archive, std::unique_ptr<FileSource> state, zip_error_t *error)
{
    zip_error_init(&state->error);
    zip_source_t *source = zip_source_function(archive, callback, state.get());
    if (!source) {
        zip_error_set(error, ZIP_ER_MEMORY, 0);
        return nullptr;
    }
    state.release(); // the source owns it now and frees it on ZIP_SOURCE_FREE
    return source;
}

} // namespace

zip_source_t *createContentSource(zip_t *archive, const QByteArray &content, const QString &path, int level,
                                  zip_error_t *error)
{
    auto state = std::make_unique<FileSource>();
    state->path = path;
    state->content = content;
    state->level = level;
    state->known = level == 0;
    state->size = static_cast<zip_uint64_t>(content.size());
    state->mtime = std::time(nullptr);
    state->attributes = externalAttributes(path);
    return sourceOf(archive, std::move(state), error);
}

zip_source_t *createFileSource(zip_t *archive, const QString &path, int level, zip_error_t *error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        zip_error_set(error, info.exists() ? ZIP_ER_READ : ZIP_ER_NOENT, 0);
        return nullptr;
    }
    auto state = std::make_unique<FileSource>();
    state->path = path;
    state->file.setFileName(path);
    // A large file streams through the zip library's own deflate instead.
    state->level = info.size() <= kInMemoryDeflateLimit ? level : 0;
    state->known = state->level == 0;
    state->size = static_cast<zip_uint64_t>(info.size());
    state->mtime = static_cast<time_t>(info.lastModified().toSecsSinceEpoch());
    state->attributes = externalAttributes(path);
    return sourceOf(archive, std::move(state), error);
}
