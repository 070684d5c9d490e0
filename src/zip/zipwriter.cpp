// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the zip writer: one zip, written in one pass, with progress and abort.
#include "zip/zipwriter.h"

#include "platform/plainfile.h"
#include "zip/bufferedzipfile.h"
#include "zip/positionedcrc.h"
#include "zip/storedlead.h"
#include "zip/zipfilesource.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <zip.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

const int ZipWriter::ReadError = ZIP_ER_READ;

namespace {

void onProgress(zip_t *, double fraction, void *writer)
{
    static_cast<ZipWriter *>(writer)->reportProgress(fraction);
}

int onCancel(zip_t *, void *writer)
{
    return static_cast<ZipWriter *>(writer)->cancelRequested() ? 1 : 0;
}

qint64 totalSize(const std::vector<ZipWriter::Entry> &entries)
{
    qint64 total = 0;
    for (const ZipWriter::Entry &entry : entries)
        total += entry.content ? entry.content->size() : QFileInfo(entry.sourcePath).size();
    return total;
}

// Adds one file; 0 or the library's error code.
int addEntry(zip_t *archive, const ZipWriter::Entry &entry, int level)
{
    if (level > 0 && !entry.content && looksIncompressible(entry.sourcePath))
        level = 0;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = entry.content ? createContentSource(archive, *entry.content, entry.sourcePath, level, &error)
                                         : createFileSource(archive, entry.sourcePath, level, &error);
    if (!source) {
        const int code = zip_error_code_zip(&error);
        zip_error_fini(&error);
        return code;
    }
    const zip_int64_t index =
        zip_file_add(archive, entry.entryName.toUtf8().constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return zip_error_code_zip(zip_get_error(archive));
    }
    const zip_int32_t method = level == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, static_cast<zip_uint32_t>(level))
        < 0)
        return zip_error_code_zip(zip_get_error(archive));
    return 0;
}

// Opened before it moves: whatever takes its old name later is not what is changed. Only a
// plain file of one name that fits a stored entry is taken: one with a second name would change under it too.
bool openToTake(const QByteArray &path, const QString &entryName, QFile &file, struct stat &st)
{
    const int fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 && StoredLead::fits(st.st_size, entryName);
}

// Moves the file opened as `st` beside `zipPath`: its new name, or the empty text with it where it was.
// Another file put at its name meanwhile goes back there, untouched.
QString moveOpenFile(const QByteArray &from, const struct stat &st, const QString &zipPath)
{
    int reason = 0;
    const QString besideName = moveBeside(QFile::decodeName(from), zipPath, reason);
    struct stat moved
    {
    };
    const QByteArray beside = QFile::encodeName(besideName);
    if (besideName.isEmpty()
        || (::lstat(beside.constData(), &moved) == 0 && moved.st_ino == st.st_ino && moved.st_dev == st.st_dev))
        return besideName;
    renameNoReplace(besideName, QFile::decodeName(from));
    return {};
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
    QString besideName;
    int code = writeBeside(zipPath, entries, besideName);
    if (code == 0 && (code = takeName(besideName, zipPath)) != 0)
        m_errorText = errorText(code);
    return code;
}

int ZipWriter::writeBeside(const QString &zipPath, const std::vector<Entry> &entries, QString &besideName)
{
    startZip();
    m_lastTaken.reset();
    const int code = writeZip(zipPath, entries, besideName);
    if (code != 0 && m_errorText.isEmpty())
        m_errorText = errorText(code);
    return code;
}

int ZipWriter::beginBeside(const QString &zipPath, const Entry &first, Lead &lead)
{
    startZip();
    QFile beside;
    if (const int code = createBesideFile(zipPath, beside, lead))
        return code;
    const int code = writeLead(beside, {first}, lead.crc);
    beside.close();
    if (code != 0)
        QFile::remove(std::exchange(lead.besideName, QString()));
    return code;
}

int ZipWriter::takeBeside(const QString &zipPath, const Entry &first, Lead &lead)
{
    return takeBeside(zipPath, first, lead, 1.0);
}

// `share`: the part of the whole zip's progress the first entry makes.
int ZipWriter::takeBeside(const QString &zipPath, const Entry &first, Lead &lead, double share)
{
    startZip();
    const QByteArray from = QFile::encodeName(first.sourcePath);
    QFile file;
    struct stat st
    {
    };
    if (!openToTake(from, first.entryName, file, st) || (lead.besideName = moveOpenFile(from, st, zipPath)).isEmpty())
        return -1;
    lead.takenFrom = {first.sourcePath, StoredLead::kLocalHeaderBytes + first.entryName.toLatin1().size(), st.st_size,
                      st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
    const StoredLead::Taken taken{st.st_size, st.st_mtim.tv_sec, st.st_mode};
    const qint64 leadSize = std::max<qint64>(st.st_size, 1);
    const int code = StoredLead::shift(file, taken, first.entryName, lead.crc, [&](qint64 moved) {
        reportProgress(share * static_cast<double>(moved) / static_cast<double>(leadSize));
    });
    if (code < 0) { // no room: the file goes back untouched, for a copy to say so
        renameNoReplace(lead.besideName, first.sourcePath);
        lead = Lead();
    } else if (code != 0) {
        m_errorText = first.sourcePath + QStringLiteral(": ") + errorText(code);
        QFile::remove(std::exchange(lead.besideName, QString()));
    }
    return code;
}

void ZipWriter::discard(const Lead &lead)
{
    if (lead.besideName.isEmpty())
        return;
    const Lead::TakenFrom &from = lead.takenFrom;
    if (!lead.tookFile() || !StoredLead::giveBack(lead.besideName, from.offset, from.size, from.modifiedNs)
        || !renameNoReplace(lead.besideName, from.path))
        QFile::remove(lead.besideName);
}

int ZipWriter::finishBeside(Lead &lead, const std::vector<Entry> &entries)
{
    startZip();
    // The lead's share of the work was done when it was begun.
    const qint64 leadSize = std::max<qint64>(QFileInfo(entries.front().sourcePath).size(), 1);
    m_progressFrom = static_cast<double>(leadSize) / static_cast<double>(std::max(totalSize(entries), leadSize));
    const int code = appendRest(lead, entries, 1);
    if (code != 0) {
        discard(lead); // what was appended lies behind the first entry, which is whole
        if (m_errorText.isEmpty())
            m_errorText = errorText(code);
    }
    lead.whole = code == 0;
    return code;
}

void ZipWriter::startZip()
{
    m_lastPercent = -1;
    m_progressFrom = 0.0;
    m_errorText.clear();
}

int ZipWriter::takeName(const QString &besideName, const QString &zipPath)
{
    // rename, unlike QFile::rename, replaces a zip of the same name, in one step.
    if (std::rename(QFile::encodeName(besideName).constData(), QFile::encodeName(zipPath).constData()) == 0)
        return 0;
    QFile::remove(besideName);
    return ZIP_ER_RENAME;
}

// The temporary file the zip is written in until it takes its name.
int ZipWriter::createBesideFile(const QString &zipPath, QFile &beside, Lead &lead)
{
    QString why;
    lead.besideName = createBeside(beside, zipPath, &why);
    if (!lead.besideName.isEmpty())
        return 0;
    // The library's words with the system's real reason, as its own failures read.
    m_errorText = errorText(ZIP_ER_TMPOPEN).section(u':', 0, 0) + QStringLiteral(": ") + why.mid(zipPath.size() + 2);
    return ZIP_ER_TMPOPEN;
}

int ZipWriter::writeZip(const QString &zipPath, const std::vector<Entry> &entries, QString &besideName)
{
    if (m_takesFirstFile && deflateLevel(m_zipcomp) == 0 && !entries.empty()) {
        Lead taken;
        const qint64 firstSize = std::max<qint64>(QFileInfo(entries.front().sourcePath).size(), 1);
        const int code =
            takeBeside(zipPath, entries.front(), taken,
                       static_cast<double>(firstSize) / static_cast<double>(std::max(totalSize(entries), firstSize)));
        if (code > 0)
            return code;
        if (code == 0) {
            besideName = taken.besideName;
            const int finished = finishBeside(taken, entries);
            if (finished == 0)
                m_lastTaken = taken;
            return finished;
        }
    }
    Lead lead;
    QFile beside;
    if (const int code = createBesideFile(zipPath, beside, lead))
        return code;
    besideName = lead.besideName;
    auto removeBeside = qScopeGuard([&besideName] { QFile::remove(besideName); });
    const int leadCode = writeLead(beside, entries, lead.crc);
    beside.close();
    if (leadCode > 0)
        return leadCode;
    if (const int code = appendRest(lead, entries, leadCode == 0 ? 1 : 0))
        return code;
    removeBeside.dismiss();
    return 0;
}

// The zip library opens what is written and appends the entries from `first` on.
int ZipWriter::appendRest(Lead &lead, const std::vector<Entry> &entries, std::size_t first)
{
    int errorCode = 0;
    zip_t *archive = openBufferedZip(lead.besideName, errorCode, lead.crc);
    if (!archive)
        return errorCode;
    if (const int closed = finish(archive, entries, first))
        return closed;
    m_zipCrc = lead.crc.value();
    return 0;
}

// A stored first entry is copied here, the rest appended by the zip library.
// Returns 0 when the lead was written, -1 when the library writes every entry, else the error.
int ZipWriter::writeLead(QFile &beside, const std::vector<Entry> &entries, PositionedCrc &crc)
{
    if (entries.empty() || deflateLevel(m_zipcomp) != 0)
        return -1;
    const Entry &lead = entries.front();
    const QFileInfo info(lead.sourcePath);
    if (!info.isFile() || !StoredLead::fits(info.size(), lead.entryName))
        return -1;
    const qint64 leadSize = std::max<qint64>(info.size(), 1);
    const double share = static_cast<double>(leadSize) / static_cast<double>(std::max(totalSize(entries), leadSize));
    const int code = StoredLead::write(beside, lead.sourcePath, lead.entryName, crc, [&](qint64 copied) {
        reportProgress(share * static_cast<double>(copied) / static_cast<double>(leadSize));
        return !cancelRequested();
    });
    m_progressFrom = share;
    return code;
}

int ZipWriter::finish(zip_t *archive, const std::vector<Entry> &entries, std::size_t first)
{
    const int level = deflateLevel(m_zipcomp);
    for (std::size_t i = first; i < entries.size(); ++i) {
        if (const int code = addEntry(archive, entries[i], level)) {
            const QString problem = plainFileProblem(entries[i].sourcePath);
            m_errorText = problem.isEmpty() ? entries[i].sourcePath + QStringLiteral(": ") + errorText(code) : problem;
            zip_discard(archive);
            return code;
        }
    }
    if (!m_comment.isEmpty()) {
        const QByteArray comment = m_comment.toUtf8();
        zip_set_archive_comment(archive, comment.constData(),
                                static_cast<zip_uint16_t>(std::min<qsizetype>(comment.size(), 65535)));
    }
    zip_register_progress_callback_with_state(archive, 0.01, onProgress, nullptr, this);
    zip_register_cancel_callback_with_state(archive, onCancel, nullptr, this);
    if (zip_close(archive) < 0) {
        const int code = zip_error_code_zip(zip_get_error(archive));
        m_errorText = QString::fromUtf8(zip_error_strerror(zip_get_error(archive)));
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
    const double done = m_progressFrom + (1.0 - m_progressFrom) * std::clamp(fraction, 0.0, 1.0);
    const int percent = static_cast<int>(std::lround(done * 100.0));
    if (percent == m_lastPercent || !m_progress)
        return;
    m_lastPercent = percent;
    m_progress(percent);
}

bool ZipWriter::cancelRequested() const
{
    return m_cancel && m_cancel();
}
