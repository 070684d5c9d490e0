// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the zip writer: one zip, written in one pass, with progress and abort.
#pragma once

#include "zip/positionedcrc.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

struct zip; // the zip library's zip_t
class QFile;

/**
 * Writes one zip per call to `write`. A zip that exists is never added to:
 * the new zip is written under a temporary name beside it and takes its
 * name, replacing the old one, only when complete. Every source is streamed
 * from disk, so memory does not grow with the size of the files.
 */
class ZipWriter
{
public:
    /** One file to add: where it is, and its name inside the zip (a bare name). */
    struct Entry
    {
        Entry() = default;
        Entry(QString source, QString name, std::optional<QByteArray> held = std::nullopt)
            : sourcePath(std::move(source))
            , entryName(std::move(name))
            , content(std::move(held))
        {
        }

        QString sourcePath;
        QString entryName;
        /** What the entry holds instead of the file's bytes; the file still gives its permissions. */
        std::optional<QByteArray> content;
    };

    /** `zipcomp`: 0 stores, 1 to 5 deflate at levels 1, 3, 6, 8 and 9. */
    void setCompression(int zipcomp) { m_zipcomp = zipcomp; }
    /** The comment every later zip gets; the empty text writes none. */
    void setComment(const QString &comment) { m_comment = comment; }
    /** Called with 0 to 100 while a zip is written. */
    void setProgressHandler(std::function<void(int)> handler) { m_progress = std::move(handler); }
    /** Asked while a zip is written; true stops it, and `write` fails. */
    void setCancelCheck(std::function<bool()> check) { m_cancel = std::move(check); }
    /**
     * Whether the first entry's file is scratch the zip may take over when it
     * is stored: moved beside the zip and its bytes shifted in place, not
     * copied (`takeBeside`). The file is gone once a zip is written.
     */
    void setTakesFirstFile(bool takes) { m_takesFirstFile = takes; }

    /**
     * Writes a zip of `entries` in order at `zipPath`. Returns 0 on success,
     * else the writer's non-zero error code (its words in `lastErrorText`);
     * a zip that already existed then stays as it was.
     */
    int write(const QString &zipPath, const std::vector<Entry> &entries);
    /**
     * Writes the complete zip under a temporary name beside `zipPath`, set in
     * `besideName`, for the caller to name with `takeName` (or remove). No
     * file is left when it fails.
     */
    int writeBeside(const QString &zipPath, const std::vector<Entry> &entries, QString &besideName);

    /** A zip begun beside its own name with its first entry alone, stored; the rest comes later. */
    struct Lead
    {
        QString besideName;
        PositionedCrc crc; ///< of the file as it stands
        bool whole = false; ///< `finishBeside` completed it
        /** Where the file taken over was and how it was, for `discard` to give it back. */
        struct TakenFrom
        {
            QString path;
            qint64 offset = 0; ///< of its bytes in the zip
            qint64 size = 0;
            qint64 modifiedNs = 0; ///< since the epoch
        } takenFrom;

        /** The first entry's file became the zip: it is there no more. */
        bool tookFile() const { return !takenFrom.path.isEmpty(); }
    };
    /**
     * Begins the zip at `zipPath` with `first`, stored, under a temporary
     * name: 0, or -1 when `first` is not an entry to store that way (the
     * zip is then written whole by `writeBeside`), else the error. No file
     * is left unless it returns 0.
     */
    int beginBeside(const QString &zipPath, const Entry &first, Lead &lead);
    /**
     * Begins the zip as `beginBeside` does, taking over the file of `first`
     * (see `setTakesFirstFile`). -1 when it cannot, the file untouched: not
     * a plain file of one name, or on another file system than the zip.
     * After any other failure the file is gone with the zip.
     */
    int takeBeside(const QString &zipPath, const Entry &first, Lead &lead);
    /**
     * Completes a zip `beginBeside` began, whose first entry is `entries`'
     * first, with the others and the comment: the same bytes `writeBeside`
     * would have written. The file is removed when it fails.
     */
    int finishBeside(Lead &lead, const std::vector<Entry> &entries);

    /**
     * A zip beside its name that will not take it goes: a file it took over
     * is given back, its bytes and time as they were, at its old name.
     */
    static void discard(const Lead &lead);
    /** The zip the last `writeBeside` left beside its name, when it took its first file over. */
    const std::optional<Lead> &lastTaken() const { return m_lastTaken; }

    /** Renames a zip `writeBeside` made over `zipPath`; 0, or the rename's code with the file removed. */
    static int takeName(const QString &besideName, const QString &zipPath);

    /** Why the last `write` failed, the system's reason included. */
    const QString &lastErrorText() const { return m_errorText; }
    /** The CRC-32 of the whole zip the last successful `write` made, as it was written. */
    quint32 lastZipCrc() const { return m_zipCrc; }

    /** The code `write` callers report when a file they prepare cannot be read. */
    static const int ReadError;

    /** The zip library's text for a code `write` returned. */
    static QString errorText(int code);

    /** The deflate level for a `zipcomp` value; 0 means stored. */
    static int deflateLevel(int zipcomp);

    // Called from the zip library's callbacks.
    void reportProgress(double fraction);
    bool cancelRequested() const;

private:
    void startZip();
    int createBesideFile(const QString &zipPath, QFile &beside, Lead &lead);
    int takeBeside(const QString &zipPath, const Entry &first, Lead &lead, double share);
    int writeZip(const QString &zipPath, const std::vector<Entry> &entries, QString &besideName);
    int writeLead(QFile &beside, const std::vector<Entry> &entries, PositionedCrc &crc);
    int appendRest(Lead &lead, const std::vector<Entry> &entries, std::size_t first);
    int finish(zip *archive, const std::vector<Entry> &entries, std::size_t first);

    int m_zipcomp = 3;
    bool m_takesFirstFile = false;
    std::optional<Lead> m_lastTaken;
    QString m_comment;
    std::function<void(int)> m_progress;
    std::function<bool()> m_cancel;
    QString m_errorText;
    quint32 m_zipCrc = 0;
    int m_lastPercent = -1;
    double m_progressFrom = 0.0; ///< the share of the zip already written when the zip library takes over
};
