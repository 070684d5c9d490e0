// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — text helpers shared by every file the program writes and every caption it shows.
#pragma once

#include <QDateTime>
#include <QString>

/** The part of a path after its last '/'; empty when the path has none. */
QString getfile(const QString &path);

/** The part of a path up to and including its last '/'; empty when the path has none. */
QString getpath(const QString &path);

/** A whole number as the files and captions write it: " 3", " 0", "-3". */
QString numberText(qint64 value);

/**
 * "#####,###": rounded to a whole number (a half away from zero), thousands
 * separated by ",", no leading zeros, so zero gives the empty text.
 */
QString formatThousands(double value);

/** "##.#0": two decimals always, no leading zero (0.5 gives ".50"). */
QString formatTwoDecimals(double value);

/**
 * "###,.#": the value divided by 1000, at most one decimal, no leading zero
 * and always the decimal point (500 gives ".5", 1000 gives "1.").
 */
QString formatThousandthsOneDecimal(double value);

/** "00", "000": at least `width` digits, zero-padded; wider numbers in full. */
QString formatZeroPadded(qint64 value, int width);

/** "m/d/yy h:mm AMPM", e.g. "11/28/99 3:07 PM". */
QString formatModified(const QDateTime &time);
