// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — reading a rendered control back as runs of named colours, for tests.
#pragma once

#include <QChar>
#include <QHash>
#include <QImage>
#include <QString>

/** The letter each colour of a test picture goes by; a colour not named reads as '?'. */
using ColorNames = QHash<QRgb, QChar>;

/** Row `y` of `image` from left to right as runs, e.g. "d1 B89 .109 l1". */
QString rowRuns(const QImage &image, int y, const ColorNames &names);

/** Column `x` of `image` from top to bottom as runs. */
QString columnRuns(const QImage &image, int x, const ColorNames &names);

/** The letters found in the rectangle `area` of `image`, each once, sorted. */
QString lettersIn(const QImage &image, const QRect &area, const ColorNames &names);
