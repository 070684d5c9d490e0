// Varko 2000 — file helpers for the store tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

inline QByteArray crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// A home folder of the test's own and /tmp as the temporary folder, so that
// default files have fixed bytes.
inline QString pinnedHome()
{
    static QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("TMPDIR", "/tmp");
    return home.path();
}
