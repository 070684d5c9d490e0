// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the zip source for one file: deflated in memory, or read in large chunks.
#pragma once

#include <QString>

#include <zip.h>

/** Files up to this size are deflated in memory; larger ones stream through the zip library. */
constexpr qint64 kInMemoryDeflateLimit = 64 * 1024 * 1024;

/** A streamed file is read this many bytes at a time. */
constexpr qsizetype kZipReadChunk = 1024 * 1024;

/** The external attributes of an entry for the file at `path`: its Unix mode, as the zip library records it. */
quint32 externalAttributes(const QString &path);

/**
 * Whether samples spread over the file at `path` deflate by less than 2%, as
 * archived or already compressed data does: deflating it all would take
 * most of the zip stage's time to save next to nothing, so it is stored.
 */
bool looksIncompressible(const QString &path);

/**
 * A source for zip_file_add that hands the zip library the file at `path`.
 * With `level` 1 to 12 and a file up to kInMemoryDeflateLimit, the file is
 * deflated in memory with libdeflate when the zip is written, and the library
 * only copies the result. Otherwise the file is read as it is, in chunks of
 * kZipReadChunk bytes, and the library stores or deflates it itself. The
entry keeps the file's permissions (externalAttributes). Memory
 * is held only while the zip library copies this file. Returns null and sets
 * `error` when `path` is not a file.
 */
zip_source_t *createFileSource(zip_t *archive, const QString &path, int level, zip_error_t *error);

/**
 * A source like createFileSource's for `content` held in memory, written
 * as made now, with the permissions of the file at `path`.
 */
zip_source_t *createContentSource(zip_t *archive, const QByteArray &content, const QString &path, int level,
                                  zip_error_t *error);
