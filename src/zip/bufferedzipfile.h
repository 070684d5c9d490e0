// Varko 2000 — a zip file whose writes reach the disk in large chunks.
#pragma once

#include <QString>

#include <zip.h>

/** What the zip library writes is gathered up to this many bytes before it reaches the file. */
constexpr qsizetype kZipWriteChunk = 1024 * 1024;

/**
 * Opens a new, empty zip at `path` as zip_open with ZIP_CREATE and
 * ZIP_TRUNCATE does: what is at `path` is never read, and zip_close writes
 * a temporary file that replaces it only when it is complete. Returns
 * null and sets `errorCode` (a zip library code) when the zip cannot be
 * opened.
 *
 * With `appendInPlace`, the zip is opened and kept: `path` must be a zip the caller has just written
 * and nobody else uses: the entries it holds that stay as they are, stay
 * where they are in the file, and zip_close writes only what follows them,
 * into the file itself. A zip_close that fails then leaves the file
 * damaged, for the caller to remove.
 */
zip_t *openBufferedZip(const QString &path, int &errorCode, bool appendInPlace = false);
