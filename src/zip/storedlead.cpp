// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the first, stored entry of a new zip, copied in large chunks.
#include "zip/storedlead.h"

#include "zip/positionedcrc.h"
#include "zip/zipfilesource.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <libdeflate.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The zip library copies a stored file 8 KB at a time and checks it with
// zlib's CRC, which for a set of floppy volumes is most of the zip stage's
// work. The volume, always the first entry of a new zip, is written here in
// large chunks with libdeflate's CRC, twice as fast; the library appends the
// rest. The fields are the ones the library writes, so a zip reads the same
// whichever way its first entry was made.

namespace {

constexpr quint16 kMadeBy = 0x033f; // Unix, version 6.3
constexpr quint16 kNeeded = 10; // version 1.0: stored
constexpr qint64 kMaxSize = 0xfffffffeLL; // 0xffffffff would announce 64-bit sizes

/** The fields the local header and the central record share. */
struct Fields
{
    quint16 time = 0;
    quint16 date = 0;
    quint32 crc = 0;
    quint32 size = 0;
    quint32 attributes = 0;
    QByteArray name;
};

class Record
{
public:
    Record &u16(quint16 value) { return put(qToLittleEndian(value)); }
    Record &u32(quint32 value) { return put(qToLittleEndian(value)); }
    Record &bytes(const QByteArray &value)
    {
        m_data += value;
        return *this;
    }
    const QByteArray &data() const { return m_data; }

private:
    template <typename T> Record &put(T value)
    {
        m_data.append(reinterpret_cast<const char *>(&value), sizeof value);
        return *this;
    }
    QByteArray m_data;
};

// Version needed, flags, method, time, date, CRC, both sizes, name length: the part both records share.
Record &shared(Record &record, const Fields &f)
{
    return record.u16(kNeeded).u16(0).u16(0).u16(f.time).u16(f.date).u32(f.crc).u32(f.size).u32(f.size).u16(
        static_cast<quint16>(f.name.size()));
}

QByteArray localHeader(const Fields &f)
{
    Record record;
    shared(record.u32(0x04034b50), f).u16(0).bytes(f.name);
    return record.data();
}

// The central record and the end record, for a zip of one entry at offset 0.
QByteArray centralDirectory(const Fields &f)
{
    Record record;
    shared(record.u32(0x02014b50).u16(kMadeBy), f).u16(0).u16(0).u16(0).u16(0).u32(f.attributes).u32(0).bytes(f.name);
    const auto centralSize = static_cast<quint32>(record.data().size());
    const auto centralOffset = static_cast<quint32>(StoredLead::kLocalHeaderBytes + f.name.size() + f.size);
    record.u32(0x06054b50).u16(0).u16(0).u16(1).u16(1).u32(centralSize).u32(centralOffset).u16(0);
    return record.data();
}

// The modification time in local DOS form, the years clamped to what it can hold.
void setDosTime(Fields &f, const QDateTime &modified)
{
    const QDate day = modified.date();
    const QTime time = modified.time();
    const int year = std::clamp(day.year(), 1980, 2107);
    f.date = static_cast<quint16>(((year - 1980) << 9) | (day.month() << 5) | day.day());
    f.time = static_cast<quint16>((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
}

int copy(QFile &zip, QFile &source, Fields &f, PositionedCrc &crc, const std::function<bool(qint64)> &keepGoing)
{
    QByteArray chunk(kZipReadChunk, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const qint64 n = source.read(chunk.data(), chunk.size());
        if (n <= 0)
            return n == 0 ? 0 : ZIP_ER_READ;
        if (copied + n > kMaxSize)
            return ZIP_ER_READ; // grew past what the headers can say while it was copied
        f.crc = static_cast<quint32>(libdeflate_crc32(f.crc, chunk.constData(), static_cast<size_t>(n)));
        if (zip.write(chunk.constData(), n) != n)
            return ZIP_ER_WRITE;
        crc.write(crc.length(), QByteArrayView(chunk.constData(), n), {});
        copied += n;
        f.size = static_cast<quint32>(copied);
        if (!keepGoing(copied))
            return ZIP_ER_CANCELLED;
    }
}

// Repeats a pread or pwrite until every byte has gone.
template <typename Byte, typename Call> bool allBytes(Call call, int fd, Byte *data, qint64 size, qint64 position)
{
    while (size > 0) {
        const ssize_t n = call(fd, data, static_cast<size_t>(size), position);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n, size -= n, position += n;
    }
    return true;
}

bool readAt(int fd, char *data, qint64 size, qint64 position)
{
    return allBytes(::pread, fd, data, size, position);
}

bool writeAt(int fd, const char *data, qint64 size, qint64 position)
{
    return allBytes(::pwrite, fd, data, size, position);
}

// Moves the file's `size` bytes up by `by`, last chunk first so that nothing
// is written over before it is read; returns 0 or the code, the data's CRC in `crc`.
int moveUp(int fd, qint64 size, qint64 by, quint32 &crc, const std::function<void(qint64)> &moved)
{
    QByteArray chunk(kZipReadChunk, Qt::Uninitialized);
    uLong tail = 0; // the CRC of the bytes from `at` on
    for (qint64 at = size; at > 0;) {
        const qint64 n = std::min<qint64>(chunk.size(), at);
        at -= n;
        if (!readAt(fd, chunk.data(), n, at))
            return ZIP_ER_READ;
        const uLong piece = libdeflate_crc32(0, chunk.constData(), static_cast<size_t>(n));
        tail = crc32_combine(piece, tail, static_cast<z_off_t>(size - at - n));
        if (!writeAt(fd, chunk.constData(), n, at + by))
            return ZIP_ER_WRITE;
        moved(size - at);
    }
    crc = static_cast<quint32>(tail);
    return 0;
}

// Moves `size` bytes at `from` down to the start, first chunk first.
bool moveDown(int fd, qint64 from, qint64 size)
{
    QByteArray chunk(kZipReadChunk, Qt::Uninitialized);
    for (qint64 at = 0; at < size;) {
        const qint64 n = std::min<qint64>(chunk.size(), size - at);
        if (!readAt(fd, chunk.data(), n, from + at) || !writeAt(fd, chunk.constData(), n, at))
            return false;
        at += n;
    }
    return true;
}

} // namespace

bool StoredLead::fits(qint64 size, const QString &entryName)
{
    // Other names are flagged and encoded by the zip library's own rules.
    bool ascii = true;
    for (const QChar c : entryName)
        ascii = ascii && c.unicode() < 0x80;
    return ascii && size <= kMaxSize && entryName.size() <= 0xffff;
}

int StoredLead::write(QFile &zip, const QString &sourcePath, const QString &entryName, PositionedCrc &crc,
                      const std::function<bool(qint64)> &keepGoing)
{
    const QFileInfo info(sourcePath);
    if (!info.isFile())
        return info.exists() ? ZIP_ER_READ : ZIP_ER_NOENT;
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return ZIP_ER_OPEN;
    Fields f;
    f.name = entryName.toLatin1();
    f.attributes = externalAttributes(sourcePath);
    setDosTime(f, info.lastModified());
    const QByteArray provisional = localHeader(f);
    if (zip.write(provisional) != provisional.size())
        return ZIP_ER_WRITE;
    crc.write(0, provisional, {});
    if (const int code = copy(zip, source, f, crc, keepGoing))
        return code;
    const QByteArray header = localHeader(f);
    const QByteArray central = centralDirectory(f);
    const qint64 end = zip.pos();
    const bool written =
        zip.seek(0) && zip.write(header) == header.size() && zip.seek(end) && zip.write(central) == central.size();
    crc.write(0, header, provisional);
    crc.checkpoint(); // the zip library appends from here
    crc.write(end, central, {});
    return written ? 0 : ZIP_ER_WRITE;
}

int StoredLead::shift(QFile &file, const Taken &taken, const QString &entryName, PositionedCrc &crc,
                      const std::function<void(qint64)> &moved)
{
    Fields f;
    f.name = entryName.toLatin1();
    f.attributes = taken.mode << 16;
    f.size = static_cast<quint32>(taken.size);
    setDosTime(f, QDateTime::fromSecsSinceEpoch(taken.modified));
    const qint64 headerSize = StoredLead::kLocalHeaderBytes + f.name.size();
    const int fd = file.handle();
    // Room first, so that a full disk is found before a byte has moved.
    const qint64 whole = headerSize + taken.size + centralDirectory(f).size();
    if (::fallocate(fd, 0, taken.size, whole - taken.size) != 0 && errno != EOPNOTSUPP)
        return ::ftruncate(fd, taken.size) == 0 ? -1 : ZIP_ER_WRITE;
    if (const int code = moveUp(fd, taken.size, headerSize, f.crc, moved))
        return code;
    const QByteArray header = localHeader(f);
    const QByteArray central = centralDirectory(f);
    const qint64 end = headerSize + taken.size;
    if (!writeAt(fd, header.constData(), header.size(), 0) || !writeAt(fd, central.constData(), central.size(), end)
        || ::ftruncate(fd, end + central.size()) != 0)
        return ZIP_ER_WRITE;
    const uLong headerCrc = libdeflate_crc32(0, header.constData(), static_cast<size_t>(header.size()));
    crc = PositionedCrc(static_cast<quint32>(crc32_combine(headerCrc, f.crc, static_cast<z_off_t>(taken.size))), end);
    crc.checkpoint(); // the zip library appends from here
    crc.write(end, central, {});
    return 0;
}

bool StoredLead::giveBack(const QString &zipPath, qint64 offset, qint64 size, qint64 modifiedNs)
{
    const int fd = ::open(QFile::encodeName(zipPath).constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const timespec times[2]{{0, UTIME_OMIT}, {modifiedNs / 1000000000LL, modifiedNs % 1000000000LL}};
    const bool given = moveDown(fd, offset, size) && ::ftruncate(fd, size) == 0 && ::futimens(fd, times) == 0;
    ::close(fd);
    return given;
}
