// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — reading and writing the program's own files without trusting what is at their names.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

/** The most the program reads of any one file it reads whole. */
constexpr qint64 kMaxPlainFileBytes = 64 * 1024 * 1024;

/** A file read whole, or why it was not. */
struct PlainFileRead
{
    bool ok = false;
    QByteArray bytes;
    QString error; ///< "PATH: why", when not ok
};

/** Whether something other than a regular file (a folder, a pipe, a device) has the name: the user's, not to be
 * replaced. */
bool holdsNonFile(const QString &path);

/** "PATH: why" when `path` is not a regular file (or a link to one); empty when it is. */
QString plainFileProblem(const QString &path);

/**
 * Reads the file at `path` whole when it is a regular file of at most
 * `limit` bytes. A FIFO, a device or a folder is refused without waiting on
 * it, as is a larger file; a symbolic link to a regular file is read.
 */
PlainFileRead readPlainFile(const QString &path, qint64 limit = kMaxPlainFileBytes);

/**
 * Opens a new, empty file beside `path` (its name plus a random suffix) for
 * writing and returns its name; the empty text with "PATH: why" in `error`
 * when the folder takes no file.
 */
QString createBeside(QFile &file, const QString &path, QString *error = nullptr);

/** Renames `source` to `target` unless something has that name already: never over a file. */
bool renameNoReplace(const QString &source, const QString &target);

/**
 * Moves the file `from` to a new name beside `path` (as createBeside names
 * it), never over a file there: a file system that would flush a file moved
 * over another to disk at once (ext4 does) writes this one at its own pace.
 * Returns the new name; the empty text with the system's errno in `reason`
 * (EXDEV: `from` is on another file system) when it was not moved.
 */
QString moveBeside(const QString &from, const QString &path, int &reason);

/** Whether a written file reaches the disk before it takes its name. */
enum class Durability { Synced, Scratch };

/**
 * Writes `bytes` to a new file beside `path` and renames it over `path`: a
 * failed write leaves the old file as it was, and a symbolic link at `path`
 * is replaced, never written through. Returns the empty text, or "PATH: why".
 */
QString replaceFile(const QString &path, const QByteArray &bytes, Durability durability = Durability::Synced);
