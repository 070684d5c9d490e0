// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the line format shared by options.ini, rip scripts and varko2k.ini.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

/**
 * The lenient number rule: blanks are skipped, an optional sign, digits and
 * one decimal point are taken up to the first character that cannot continue
 * the number (no number at all is 0); the value is rounded half to even and
 * must fit in 16 bits, otherwise there is no value.
 */
std::optional<qint16> parseLenientNumber(QStringView text);

/** The rest of `line` from the 1-based `column` on; empty when the line is shorter. */
QString valueFromColumn(const QString &line, int column);

/** "key=" and the number with its sign blank: "racomp= 3", "top=-5". */
QString numberLine(const QString &keyWithEquals, qint64 value);

/**
 * Splits file bytes into lines. CR LF, LF and a lone CR each end a line; a
 * final line end adds no empty line. Bytes that are not UTF-8 become U+FFFD.
 */
QStringList splitLines(const QByteArray &bytes);

/** The lines as UTF-8, each ended by CR LF. */
QByteArray joinLines(const QStringList &lines);
