// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a file being rebuilt: written beside its place, put there only once its MD5 proves it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTemporaryFile>

/**
 * A temporary file in the target's folder, written at any offset. commit() checks its length and
 * MD5, then renames it over the target (replacing a damaged file, never writing into it); an
 * uncommitted file is removed.
 */
class Par2OutputFile
{
public:
    explicit Par2OutputFile(const QString &target);
    /** False, with error() set, when no temporary file can be made beside the target. */
    bool open();
    bool writeAt(quint64 offset, QByteArrayView bytes);
    /** True once the file, `length` bytes with this MD5, stands at the target's path. */
    bool commit(quint64 length, const QByteArray &md5);
    const QString &error() const { return m_error; }

private:
    bool fail(const QString &what);

    QString m_target;
    QTemporaryFile m_file;
    QString m_error;
};
