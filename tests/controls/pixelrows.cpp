// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — reading a rendered control back as runs of named colours, for tests.
#include "pixelrows.h"

#include <QRect>
#include <QTransform>

#include <algorithm>

namespace {

QChar letter(const QImage &image, int x, int y, const ColorNames &names)
{
    return names.value(image.pixel(x, y) | 0xFF000000u, QLatin1Char('?'));
}

QString runs(const QString &letters)
{
    QStringList parts;
    for (qsizetype start = 0; start < letters.size();) {
        qsizetype end = start;
        while (end < letters.size() && letters[end] == letters[start])
            ++end;
        parts.append(letters[start] + QString::number(end - start));
        start = end;
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString rowRuns(const QImage &image, int y, const ColorNames &names)
{
    QString letters;
    for (int x = 0; x < image.width(); ++x)
        letters += letter(image, x, y, names);
    return runs(letters);
}

QString columnRuns(const QImage &image, int x, const ColorNames &names)
{
    return rowRuns(image.transformed(QTransform(0, 1, 1, 0, 0, 0)), x, names); // transposed
}

QString lettersIn(const QImage &image, const QRect &area, const ColorNames &names)
{
    QString found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QChar c = letter(image, x, y, names);
            if (!found.contains(c))
                found += c;
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}
