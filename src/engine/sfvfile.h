// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — BASE.sfv: the CRC-32 of every zip of a set, for anyone to check the set with.
#pragma once

#include "store/storeresult.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace SfvFile {

/** One zip of the set and the CRC-32 of its bytes. */
struct Line
{
    QString name;
    quint32 crc = 0;
};

/**
 * The file's text: ";" lines naming the program, its version and `written`,
 * then "NAME CRC" a zip, the CRC as eight upper-case hex digits, in the
 * order given (volume order). Every line ends with CR LF.
 */
QByteArray text(const std::vector<Line> &zips, const QDateTime &written);

/** Writes BASE.sfv in `folder` through a temporary file renamed over any old one. */
StoreResult write(const QString &folder, const QString &baseName, const std::vector<Line> &zips);

/** The lines of an .sfv's text; no value when a line is neither a comment nor "NAME CRC". */
std::optional<std::vector<Line>> parse(const QByteArray &text);

/** The CRC-32 of the file at `path`; no value when it cannot be read. */
std::optional<quint32> fileCrc(const QString &path);

} // namespace SfvFile
