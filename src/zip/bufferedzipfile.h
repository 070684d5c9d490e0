// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a zip file whose writes reach the disk in large chunks.
#pragma once

#include <QString>

#include <zip.h>

/** What the zip library writes is gathered up to this many bytes before it reaches the file. */
constexpr qsizetype kZipWriteChunk = 1024 * 1024;

class PositionedCrc;

/**
 * Opens the zip at `path`, a file the caller has just made and nobody else
 * uses: empty, or a zip whose entries stay where they are while zip_close
 * writes what follows them into the file itself. `crc` holds the CRC of the
 * bytes kept and follows every byte written, so it ends with the finished
 * zip's CRC. Returns null and sets `errorCode` (a zip library code) when the
 * zip cannot be opened. A zip_close that fails leaves the file damaged, for
 * the caller to remove.
 */
zip_t *openBufferedZip(const QString &path, int &errorCode, PositionedCrc &crc);
