// Varko 2000 — small helpers the engine tests share for making files.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

/** Writes `bytes` to `path`, making its folder; the path back. */
inline QString makeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

/** `size` bytes of a repeating pattern. */
inline QString makeFile(const QString &path, qint64 size)
{
    QByteArray bytes(size, '\0');
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + i % 26);
    return makeFile(path, bytes);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
