// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — reading a zip's members back, each checked against its CRC as it streams.
#pragma once

#include <QString>

#include <functional>
#include <vector>

class Crc32Stream;
struct zip; // the zip library's zip_t
struct zip_file; // zip_file_t
struct zip_stat; // zip_stat_t

/**
 * Opens a zip read-only, with the zip library's consistency checks (every
 * local header against the central directory). Members stream in large
 * chunks; only a deflated one the writer deflated in memory (up to
 * kInMemoryDeflateLimit) is inflated whole, as it was made.
 */
class ZipReader
{
public:
    /** One member: its name in the zip, its size uncompressed and the CRC the directory gives it. */
    struct Member
    {
        QString name;
        qint64 size = 0;
        quint32 crc = 0;
    };

    /** Receives a member's bytes, chunk by chunk, in order. */
    using Sink = std::function<void(const char *data, qsizetype size)>;

    /**
     * The memory reading takes. Readers of one zip after another share one,
     * so it is not handed back and faulted in again for every zip.
     */
    struct Buffers
    {
        QByteArray chunk;
        QByteArray packed;
        QByteArray data;
    };

    explicit ZipReader(const QString &path, Buffers *buffers = nullptr);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    bool isOpen() const { return m_archive != nullptr; }
    /** Why the zip did not open: "not a zip", or "damaged or cut short (...)". */
    const QString &openProblem() const { return m_problem; }
    const std::vector<Member> &members() const { return m_members; }

    /**
     * Streams member `index` to `sink`. Returns the empty text when every
     * byte came and the member's CRC matched, else what went wrong.
     */
    QString read(std::size_t index, const Sink &sink) const;

private:
    QString pass(zip_file *file, const Sink &sink, Crc32Stream *crc) const;
    QString inflateWhole(zip_file *file, const zip_stat &st, const Sink &sink) const;

    zip *m_archive = nullptr;
    Buffers m_ownBuffers;
    Buffers *m_buffers;
    QString m_problem;
    std::vector<Member> m_members;
};
