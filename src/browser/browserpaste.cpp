// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — pasting files into a folder: copy or move, never losing one.
#include "browser/browserpaste.h"

#include "browser/browsernames.h"
#include "platform/foldersize.h"
#include "platform/plainfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

bool present(const QFileInfo &info)
{
    return info.exists() || info.isSymLink();
}

bool isRealFolder(const QFileInfo &info)
{
    return info.isDir() && !info.isSymLink();
}

qint64 bytesOf(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return 0;
    return info.isDir() ? folderBytes(path).value_or(0) : info.size();
}

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

BrowserPaste::BrowserPaste(ReplaceQuestion ask, Progress progress)
    : m_ask(std::move(ask))
    , m_progress(std::move(progress))
{
}

void BrowserPaste::run(const QStringList &sources, const QString &folder, bool move)
{
    for (const QString &source : sources)
        m_total += bytesOf(source);
    const QDir dir(folder);
    for (const QString &source : sources) {
        if (m_stopped)
            return;
        const QFileInfo info(source);
        QString target = dir.filePath(info.fileName());
        if (QFileInfo(target).absoluteFilePath() == info.absoluteFilePath()) {
            if (move)
                continue; // moving into its own folder leaves it where it is
            target = dir.filePath(freeName(folder, QStringLiteral("Copy of ") + info.fileName()));
        }
        if (isRealFolder(info) && (target + QLatin1Char('/')).startsWith(info.absoluteFilePath() + QLatin1Char('/'))) {
            fail(source, QStringLiteral("a folder cannot be pasted into itself"));
            continue;
        }
        paste(source, target, move);
    }
}

bool BrowserPaste::paste(const QString &source, const QString &target, bool move)
{
    const QFileInfo info(source);
    if (!present(info))
        return fail(source, QStringLiteral("it no longer exists"));
    // One rename moves a whole tree on the same file system and cannot leave half of it;
    // across file systems it fails and the copy below takes over.
    if (move && renameNoReplace(source, target)) {
        m_done += bytesOf(target);
        return true;
    }
    return isRealFolder(info) ? pasteFolder(source, target, move) : pasteFile(source, target, move);
}

bool BrowserPaste::pasteFolder(const QString &source, const QString &target, bool move)
{
    const QFileInfo existing(target);
    if (present(existing) && !isRealFolder(existing))
        return fail(source, QStringLiteral("a file of that name is in the way"));
    if (!present(existing) && !QDir().mkdir(target))
        return fail(source, QStringLiteral("the folder could not be made"));
    const QFileInfoList entries =
        QDir(source).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    bool all = true;
    for (const QFileInfo &entry : entries) {
        if (m_stopped)
            return false;
        all = paste(entry.filePath(), QDir(target).filePath(entry.fileName()), move) && all;
    }
    if (move && all && !QDir().rmdir(source))
        return fail(source, QStringLiteral("copied, but the original folder could not be removed"));
    return all;
}

bool BrowserPaste::pasteFile(const QString &source, const QString &target, bool move)
{
    if (!mayReplace(target))
        return false;
    if (!writeCopy(source, target))
        return false;
    if (move && !QFile::remove(source))
        return fail(source, QStringLiteral("copied, but the original could not be removed"));
    return true;
}

bool BrowserPaste::mayReplace(const QString &target)
{
    const QFileInfo existing(target);
    if (!present(existing))
        return true;
    if (isRealFolder(existing))
        return fail(target, QStringLiteral("a folder of that name is in the way"));
    switch (m_ask(existing.fileName())) {
    case Answer::Yes: return true;
    case Answer::Cancel: m_stopped = true; return false;
    case Answer::No: break;
    }
    return false;
}

bool BrowserPaste::writeCopy(const QString &source, const QString &target)
{
    const QFileInfo info(source);
    QTemporaryFile temporary(QFileInfo(target).absolutePath() + QStringLiteral("/.varko-paste-XXXXXX"));
    if (!temporary.open())
        return fail(source, temporary.errorString());
    const QByteArray staged = QFile::encodeName(temporary.fileName());
    if (info.isSymLink()) {
        std::error_code error;
        const auto pointsTo = std::filesystem::read_symlink(QFile::encodeName(source).toStdString(), error);
        temporary.remove(); // the name is reused for the link
        if (error || ::symlink(pointsTo.c_str(), staged.constData()) != 0)
            return fail(source, QStringLiteral("the link could not be copied"));
    } else {
        if (!copyBytes(source, temporary) || temporary.error() != QFileDevice::NoError)
            return false;
        temporary.setFileTime(info.lastModified(), QFileDevice::FileModificationTime);
        temporary.setPermissions(info.permissions());
    }
    if (::rename(staged.constData(), QFile::encodeName(target).constData()) != 0) {
        const QString reason = systemReason();
        ::unlink(staged.constData());
        return fail(source, reason);
    }
    temporary.setAutoRemove(false);
    return true;
}

bool BrowserPaste::copyBytes(const QString &source, QFile &into)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(source, in.errorString());
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(chunk.data(), chunk.size());
        if (got < 0)
            return fail(source, in.errorString());
        if (got == 0)
            break;
        if (into.write(chunk.constData(), got) != got)
            return fail(source, into.errorString());
        m_done += got;
        if (m_progress && !m_progress(m_done, m_total, QFileInfo(source).fileName())) {
            m_stopped = true;
            return false;
        }
    }
    // The copy must be on the disk before a move may remove its source.
    if (!into.flush() || ::fsync(into.handle()) != 0)
        return fail(source, systemReason());
    return true;
}

bool BrowserPaste::fail(const QString &path, const QString &reason)
{
    m_failures << path + QStringLiteral(": ") + reason;
    return false;
}
