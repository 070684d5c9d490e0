// Varko 2000 — a zip source that deflates a file in memory with libdeflate.
#pragma once

#include <QString>

#include <zip.h>

/** Files up to this size are deflated in memory; larger ones stream through the zip library. */
constexpr qint64 kInMemoryDeflateLimit = 64 * 1024 * 1024;

/**
 * A source for zip_file_add that hands the zip library the file at `path`
 * already deflated at `level` (1 to 12), so the library copies it as it is.
 * The file is read and compressed when the zip is written, once. Returns
 * null and sets `error` when the file cannot be read.
 */
zip_source_t *createDeflatedSource(zip_t *archive, const QString &path, int level, zip_error_t *error);
