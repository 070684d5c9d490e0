// Varko 2000 — test folders for the browser: written from a listing, read back as one.
#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

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
                + QString::fromStdString(std::filesystem::read_symlink(QFile::encodeName(info.filePath()).toStdString()).string());
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
