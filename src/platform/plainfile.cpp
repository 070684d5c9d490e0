// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — reading and writing the program's own files without trusting what is at their names.
#include "platform/plainfile.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString failure(const QString &path, const QString &why)
{
    return path + QStringLiteral(": ") + why;
}

QString systemFailure(const QString &path, int error)
{
    return failure(path, QString::fromLocal8Bit(std::strerror(error)));
}

// Why a file of this kind is not read, or the empty text for a regular file.
QString kindProblem(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QStringLiteral("is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("is a named pipe, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("is a device, not a file");
    return QStringLiteral("is not a regular file");
}

QString sizeText(qint64 bytes)
{
    return bytes % (1024 * 1024) == 0 ? QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024))
                                      : QLocale::c().toString(bytes) + QStringLiteral(" bytes");
}

} // namespace

bool holdsNonFile(const QString &path)
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}

QString plainFileProblem(const QString &path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return systemFailure(path, errno);
    const QString problem = kindProblem(st.st_mode);
    return problem.isEmpty() ? problem : failure(path, problem);
}

PlainFileRead readPlainFile(const QString &path, qint64 limit)
{
    // Non-blocking, so that opening a FIFO cannot wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {false, {}, systemFailure(path, errno)};
    auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        return {false, {}, systemFailure(path, errno)};
    if (const QString problem = kindProblem(st.st_mode); !problem.isEmpty())
        return {false, {}, failure(path, problem)};
    if (st.st_size > limit)
        return {false, {}, failure(path, QStringLiteral("is larger than ") + sizeText(limit))};
    QByteArray bytes(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {false, {}, systemFailure(path, errno)};
        if (n == 0)
            break; // shrunk while read: what is there is the file
        got += n;
    }
    bytes.truncate(got);
    return {true, bytes, {}};
}

QString createBeside(QFile &file, const QString &path, QString *error)
{
    int reason = EEXIST;
    for (int attempt = 0; attempt < 16 && reason == EEXIST; ++attempt) {
        const QString name = path + u'.' + QString::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        reason = errno;
        if (fd >= 0 && file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle))
            return name;
        if (fd >= 0)
            ::close(fd);
    }
    // Not a name taken: the folder is missing, closed or full.
    if (error)
        *error = systemFailure(path, reason);
    return {};
}

bool renameNoReplace(const QString &source, const QString &target)
{
    return ::renameat2(AT_FDCWD, QFile::encodeName(source).constData(), AT_FDCWD, QFile::encodeName(target).constData(),
                       RENAME_NOREPLACE)
        == 0;
}

QString moveBeside(const QString &from, const QString &path, int &reason)
{
    reason = EEXIST;
    for (int attempt = 0; attempt < 16 && reason == EEXIST; ++attempt) {
        const QString name = path + u'.' + QString::number(QRandomGenerator::global()->generate(), 36);
        if (renameNoReplace(from, name))
            return name;
        reason = errno;
    }
    return {};
}

QString replaceFile(const QString &path, const QByteArray &bytes, Durability durability)
{
    QFile beside;
    QString error;
    const QString besideName = createBeside(beside, path, &error);
    if (besideName.isEmpty())
        return error;
    auto removeBeside = qScopeGuard([&besideName] { QFile::remove(besideName); });
    if (beside.write(bytes) != bytes.size() || (durability == Durability::Synced && ::fsync(beside.handle()) != 0))
        return systemFailure(path, errno);
    beside.close();
    // rename replaces whatever has the name, a symbolic link included, in one step.
    if (::rename(QFile::encodeName(besideName).constData(), QFile::encodeName(path).constData()) != 0)
        return systemFailure(path, errno);
    removeBeside.dismiss();
    return {};
}
