// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the first, stored entry of a new zip, copied in large chunks.
#pragma once

#include <QString>

#include <functional>

class PositionedCrc;
class QFile;

/**
 * Writes into `zip` (open for writing, empty) a complete zip whose only
 * entry is the file `sourcePath`, stored under `entryName`, with the header
 * fields the zip library itself writes for a stored file. The zip library
 * can then open it and append the other entries after this one.
 */
namespace StoredLead {

/** Whether a file of `size` bytes fits an entry without 64-bit sizes. */
bool fits(qint64 size, const QString &entryName);

/**
 * `keepGoing` is called after every chunk with the bytes copied so far;
 * false stops the copy. `crc` follows the file, with a checkpoint after the
 * entry's data, where the zip library appends. Returns 0, or a zip library error code:
 * ZIP_ER_NOENT or ZIP_ER_READ for the source, ZIP_ER_WRITE for `zip`,
 * ZIP_ER_CANCELLED when stopped.
 */
int write(QFile &zip, const QString &sourcePath, const QString &entryName, PositionedCrc &crc,
          const std::function<bool(qint64)> &keepGoing);

/** What `shift` needs to know of the file it turns into a zip, taken before it is changed. */
struct Taken
{
    qint64 size = 0;
    qint64 modified = 0; ///< seconds since the epoch
    quint32 mode = 0; ///< the Unix mode
};

/**
 * Turns `file` (open for reading and writing, `taken` as it was) into the
 * zip `write` would have made of it: its bytes move up behind the local
 * header, the central directory follows. The same fields, the same `crc`
 * and checkpoint, the same codes but ZIP_ER_CANCELLED: it is not broken
 * off, `moved` only hears how far it is. -1 when the disk has no room for
 * the zip: the file is then as it was. After any other failure it holds
 * neither the old bytes nor a zip.
 */
int shift(QFile &file, const Taken &taken, const QString &entryName, PositionedCrc &crc,
          const std::function<void(qint64)> &moved);

/** The local header's size before the entry's name. */
constexpr qint64 kLocalHeaderBytes = 30;

/**
 * Undoes `shift` on the zip at `zipPath`: its `size` bytes at `offset` move
 * back to the start, the rest goes and the time becomes `modifiedNs` again.
 * False when that could not be done; the file is then no use to anyone.
 */
bool giveBack(const QString &zipPath, qint64 offset, qint64 size, qint64 modifiedNs);

} // namespace StoredLead
