// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — making and reading files in the tests, one set of helpers for every layer.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <filesystem>

/** Writes `bytes` to `path`, making its folder; the path back. */
inline QString makeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

/** `size` bytes of a repeating pattern: compresses well. */
inline QString makeFile(const QString &path, qint64 size)
{
    QByteArray bytes(size, '\0');
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + i % 26);
    return makeFile(path, bytes);
}

/** `size` bytes of a fixed pseudo-random sequence chosen by `seed`: does not compress. */
inline QString makeNoise(const QString &path, qint64 size, quint32 seed = 1)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = seed * 2654435761u + 1;
    for (qint64 i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u; // a plain LCG: varied bytes, reproducible
        bytes[i] = char(state >> 24);
    }
    return makeFile(path, bytes);
}

/** The bytes of the file at `path`; empty when it cannot be read. */
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/** A temporary folder that hands out a new numbered folder below it at each call of fresh(). */
class ScratchFolders
{
public:
    QString path() const { return m_root.path(); }
    QString filePath(const QString &name) const { return m_root.filePath(name); }
    QString fresh()
    {
        const QString folder = m_root.filePath(QStringLiteral("data%1").arg(++m_count));
        QDir().mkpath(folder);
        return folder;
    }

private:
    QTemporaryDir m_root;
    int m_count = 0;
};

/** Sets the file's modification time; false when it cannot. */
inline bool setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(time, QFileDevice::FileModificationTime);
}

/** The lines, each ended by CR LF, as the program's text files are written. */
inline QByteArray crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

/** The list file the rip run hands the archiver, in `folder`; its path back. */
inline QString writeList(const QString &folder, const QStringList &lines)
{
    return makeFile(folder + QStringLiteral("/ripfiles.txt"), crlf(lines));
}

/** The names in `folder`, files and folders, sorted. */
inline QStringList filesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    names.sort();
    return names;
}

/** Every file of a folder and its bytes (nothing for a FIFO or device): what a test must leave as it found it. */
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : filesIn(folder)) {
        const QString path = folder + u'/' + name;
        files.insert(name, QFileInfo(path).isFile() ? readFile(path) : QByteArray());
    }
    return files;
}

/** A home folder of the test's own and /tmp as the temporary folder, so default files have fixed bytes. */
inline QString pinnedHome()
{
    static QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("TMPDIR", "/tmp");
    return home.path();
}

/** Writes "path=content" entries (a trailing '/' makes a folder) below `root`. */
inline void writeTree(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QString path = root + QLatin1Char('/') + entry.section(QLatin1Char('='), 0, 0);
        if (path.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(path);
            continue;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(entry.section(QLatin1Char('='), 1).toUtf8());
    }
}

/** Everything below `root` as sorted "path=content" entries; folders end in '/'. */
inline QStringList readTree(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString name = QDir(root).relativeFilePath(info.filePath());
        if (info.isSymLink()) {
            entries << name + QStringLiteral("->")
                    + QString::fromStdString(
                           std::filesystem::read_symlink(QFile::encodeName(info.filePath()).toStdString()).string());
        } else if (info.isDir()) {
            entries << name + QLatin1Char('/');
        } else {
            QFile file(info.filePath());
            file.open(QIODevice::ReadOnly);
            entries << name + QLatin1Char('=') + QString::fromUtf8(file.readAll());
        }
    }
    entries.sort();
    return entries;
}
