// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a zip file whose writes reach the disk in large chunks.
#include "zip/bufferedzipfile.h"

#include "zip/positionedcrc.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

// The zip library copies data 8 KB at a time and its file source writes each
// piece through stdio, two system calls per piece: for a set of floppy zips
// the calls cost more than the copying. This source stands in front of the
// library's own file source (which reads what the file already holds) and
// writes into the file itself in large chunks. The library keeps the leading
// entries where they are (it asks to "clone" them) and this source writes the
// rest after them. Every write also goes to the file's CRC, so the finished
// zip's check value is known without reading it again.

namespace {

struct Buffered
{
    zip_source_t *file = nullptr; ///< the library's file source, owned
    QString path;
    PositionedCrc *crc = nullptr; ///< follows every byte written
    QFile target; ///< open while the library writes
    qint64 position = 0; ///< where the next write goes
    qint64 end = 0; ///< the length written so far
    std::vector<char> pending; ///< written by the library, not yet to the file
    zip_error_t error;
};

// The file source's result; on failure its error becomes ours.
zip_int64_t forwarded(Buffered &state, zip_int64_t result)
{
    if (result < 0) {
        const zip_error_t *inner = zip_source_error(state.file);
        zip_error_set(&state.error, zip_error_code_zip(inner), zip_error_code_system(inner));
        return -1;
    }
    return result;
}

// Hands `size` bytes to the file; the few it writes over (a local header
// getting its CRC) are read back first, for the file's CRC.
bool put(Buffered &state, const char *data, qint64 size)
{
    QByteArray replaced(std::clamp<qint64>(state.end - state.position, 0, size), Qt::Uninitialized);
    const bool done = state.target.seek(state.position)
        && (replaced.isEmpty() || state.target.read(replaced.data(), replaced.size()) == replaced.size())
        && state.target.seek(state.position) && state.target.write(data, size) == size;
    if (!done) {
        zip_error_set(&state.error, ZIP_ER_WRITE, errno);
        return false;
    }
    state.crc->write(state.position, QByteArrayView(data, size), replaced);
    state.position += size;
    state.end = std::max(state.end, state.position);
    return true;
}

bool flush(Buffered &state)
{
    const bool written =
        state.pending.empty() || put(state, state.pending.data(), static_cast<qint64>(state.pending.size()));
    state.pending.clear();
    return written;
}

zip_int64_t write(Buffered &state, const void *data, zip_uint64_t length)
{
    if (state.pending.size() + length > static_cast<std::size_t>(kZipWriteChunk) && !flush(state))
        return -1;
    const auto *bytes = static_cast<const char *>(data);
    if (length >= static_cast<zip_uint64_t>(kZipWriteChunk))
        return put(state, bytes, static_cast<qint64>(length)) ? static_cast<zip_int64_t>(length) : -1;
    state.pending.insert(state.pending.end(), bytes, bytes + length);
    return static_cast<zip_int64_t>(length);
}

zip_int64_t tellWrite(const Buffered &state)
{
    return state.position + static_cast<zip_int64_t>(state.pending.size());
}

zip_int64_t seek(Buffered &state, void *data, zip_uint64_t length, bool forWriting)
{
    const auto *args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &state.error);
    if (!args)
        return -1;
    if (!forWriting)
        return forwarded(state, zip_source_seek(state.file, args->offset, args->whence));
    if (!flush(state))
        return -1;
    const qint64 from = args->whence == SEEK_SET ? 0 : args->whence == SEEK_CUR ? state.position : state.end;
    if (from + args->offset < 0) {
        zip_error_set(&state.error, ZIP_ER_INVAL, 0);
        return -1;
    }
    state.position = from + args->offset;
    return 0;
}

// The library keeps the file's first `offset` bytes and writes after them;
// the CRC handed in is theirs.
zip_int64_t beginInPlace(Buffered &state, zip_uint64_t offset)
{
    state.pending.clear();
    state.pending.reserve(static_cast<std::size_t>(kZipWriteChunk));
    state.target.setFileName(state.path);
    if (!state.crc->truncate(static_cast<qint64>(offset))) {
        zip_error_set(&state.error, ZIP_ER_INTERNAL, 0);
        return -1;
    }
    if (!state.target.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        zip_error_set(&state.error, ZIP_ER_OPEN, 0);
        return -1;
    }
    state.position = state.end = static_cast<qint64>(offset);
    return 0;
}

zip_int64_t commit(Buffered &state)
{
    if (!flush(state))
        return -1;
    const bool done = state.target.resize(state.end);
    state.target.close();
    if (!done)
        zip_error_set(&state.error, ZIP_ER_WRITE, 0);
    return done ? 0 : -1;
}

zip_int64_t stat(Buffered &state, void *data, zip_uint64_t length)
{
    if (length < sizeof(zip_stat_t))
        return -1;
    return forwarded(state, zip_source_stat(state.file, static_cast<zip_stat_t *>(data))) < 0 ? -1 : sizeof(zip_stat_t);
}

zip_int64_t writeCommand(Buffered &state, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    switch (command) {
    case ZIP_SOURCE_BEGIN_WRITE: return beginInPlace(state, 0);
    case ZIP_SOURCE_WRITE: return write(state, data, length);
    case ZIP_SOURCE_TELL_WRITE: return tellWrite(state);
    case ZIP_SOURCE_SEEK_WRITE: return seek(state, data, length, true);
    case ZIP_SOURCE_BEGIN_WRITE_CLONING: return beginInPlace(state, length);
    case ZIP_SOURCE_COMMIT_WRITE: return commit(state);
    case ZIP_SOURCE_ROLLBACK_WRITE:
        state.pending.clear();
        state.target.close();
        return 0;
    case ZIP_SOURCE_REMOVE:
        // Only asked for when every entry was deleted, which the writer never does.
        return QFile::remove(state.path) || !QFile::exists(state.path) ? 0 : -1;
    default: zip_error_set(&state.error, ZIP_ER_OPNOTSUPP, 0); return -1;
    }
}

zip_int64_t callback(void *userdata, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto &state = *static_cast<Buffered *>(userdata);
    switch (command) {
    case ZIP_SOURCE_OPEN: return forwarded(state, zip_source_open(state.file));
    case ZIP_SOURCE_READ: return forwarded(state, zip_source_read(state.file, data, length));
    case ZIP_SOURCE_CLOSE: return forwarded(state, zip_source_close(state.file));
    case ZIP_SOURCE_SEEK: return seek(state, data, length, false);
    case ZIP_SOURCE_TELL: return forwarded(state, zip_source_tell(state.file));
    case ZIP_SOURCE_STAT: return stat(state, data, length);
    case ZIP_SOURCE_ERROR: return zip_error_to_data(&state.error, data, length);
    case ZIP_SOURCE_FREE:
        zip_source_free(state.file);
        zip_error_fini(&state.error);
        std::unique_ptr<Buffered>(&state).reset();
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_WRITABLE | zip_source_make_command_bitmap(ZIP_SOURCE_BEGIN_WRITE_CLONING, -1);
    default: return writeCommand(state, data, length, command);
    }
}

zip_source_t *bufferedSource(const QString &path, PositionedCrc &crc, zip_error_t *error)
{
    auto state = std::make_unique<Buffered>();
    state->path = path;
    state->crc = &crc;
    zip_error_init(&state->error);
    state->file = zip_source_file_create(QFile::encodeName(path).constData(), 0, -1, error);
    if (!state->file)
        return nullptr;
    zip_source_t *source = zip_source_function_create(callback, state.get(), error);
    if (!source) {
        zip_source_free(state->file);
        return nullptr;
    }
    state.release(); // the source owns it now and frees it on ZIP_SOURCE_FREE
    return source;
}

} // namespace

zip_t *openBufferedZip(const QString &path, int &errorCode, PositionedCrc &crc)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_t *archive = nullptr;
    if (zip_source_t *source = bufferedSource(path, crc, &error)) {
        archive = zip_open_from_source(source, ZIP_CREATE, &error);
        if (!archive)
            zip_source_free(source);
    }
    errorCode = archive ? 0 : zip_error_code_zip(&error);
    if (!archive && errorCode == ZIP_ER_OK)
        errorCode = ZIP_ER_OPEN;
    zip_error_fini(&error);
    return archive;
}
