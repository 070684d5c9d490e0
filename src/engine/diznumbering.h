// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — auto-numbering of file_id.diz: the "xx/xx" marker and the numbered copy.
#pragma once

#include "engine/queueitem.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace DizNumbering {

/** Where "xx/xx" stands: 1-based line and character column. */
struct Marker
{
    bool found = false;
    int line = 0;
    int column = 0;
};

/** The marker search's outcome; `numberingFailed` switches auto-numbering off. */
struct Search
{
    Marker marker;
    bool numberingFailed = false;
};

/**
 * Looks through the rows whose name ends ".diz", in queue order, for the
 * first line holding "xx/xx" (exact, case-sensitive). A .diz row whose file
 * is gone or cannot be read stops the search and fails it.
 */
Search findMarker(const std::vector<QueueItem> &rows);

/** The marker's place in one file's text; not found when it has none. */
Marker markerIn(const QByteArray &text);

/** "03/05", or in the over-99 state "007/105". */
QString stamp(const QString &number, const QString &total);

/**
 * The numbered copy of `source`: every line ended by CR LF, and line
 * `marker.line` overwritten from `marker.column` on by `stamp`, growing
 * where the stamp runs past its end, never shrinking. Lines that are not
 * UTF-8 are kept byte for byte (a column then counts bytes).
 */
QByteArray numberedCopy(const QByteArray &source, const Marker &marker, const QString &stamp);

} // namespace DizNumbering
