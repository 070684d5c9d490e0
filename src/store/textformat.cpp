// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — text helpers shared by every file the program writes and every caption it shows.
#include "store/textformat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// A number as decimal digits, rounded half away from zero at `decimals`
// places. The value is first taken to 15 significant digits, as the Windows
// formatting does, so 1.005 rounds to 1.01 rather than to its binary neighbour.
struct Decimal
{
    bool negative = false;
    QString whole; // no leading zeros; empty for zero
    QString fraction; // exactly `decimals` digits
};

Decimal roundDecimal(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    // buffer: d.dddddddddddddde±XX
    const QString text = QString::fromLatin1(buffer);
    const int ePos = text.indexOf(u'e');
    QString digits = text.left(1) + text.mid(2, ePos - 2);
    const int exponent = text.mid(ePos + 1).toInt();

    // Place the decimal point: `pointPos` digits belong to the whole part.
    int pointPos = exponent + 1;
    if (pointPos < 0) {
        digits.prepend(QString(-pointPos, u'0'));
        pointPos = 0;
    }
    if (digits.size() < pointPos + decimals + 1)
        digits.append(QString(pointPos + decimals + 1 - digits.size(), u'0'));

    QString kept = digits.left(pointPos + decimals);
    const bool roundUp = digits.at(pointPos + decimals) >= u'5';
    if (roundUp) {
        int i = kept.size() - 1;
        for (; i >= 0 && kept.at(i) == u'9'; --i)
            kept[i] = u'0';
        if (i >= 0)
            kept[i] = QChar(kept.at(i).unicode() + 1);
        else {
            kept.prepend(u'1');
            ++pointPos;
        }
    }

    Decimal result;
    result.whole = kept.left(pointPos);
    result.fraction = kept.mid(pointPos);
    while (result.whole.startsWith(u'0'))
        result.whole.remove(0, 1);
    const bool isZero = result.whole.isEmpty()
        && std::all_of(result.fraction.cbegin(), result.fraction.cend(), [](QChar c) { return c == u'0'; });
    result.negative = value < 0 && !isZero;
    return result;
}

QString groupThousands(const QString &digits)
{
    QString grouped;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += u',';
        grouped += digits.at(i);
    }
    return grouped;
}

QString withSign(const Decimal &d, const QString &body)
{
    return d.negative ? u'-' + body : body;
}

} // namespace

QString getfile(const QString &path)
{
    const int slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.mid(slash + 1);
}

QString getpath(const QString &path)
{
    const int slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString numberText(qint64 value)
{
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

QString formatThousands(double value)
{
    const Decimal d = roundDecimal(value, 0);
    return withSign(d, groupThousands(d.whole));
}

QString formatTwoDecimals(double value)
{
    const Decimal d = roundDecimal(value, 2);
    return withSign(d, d.whole + u'.' + d.fraction);
}

QString formatThousandthsOneDecimal(double value)
{
    const Decimal d = roundDecimal(value / 1000.0, 1);
    QString fraction = d.fraction;
    if (fraction == u"0")
        fraction.clear();
    return withSign(d, d.whole + u'.' + fraction);
}

QString formatZeroPadded(qint64 value, int width)
{
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(width, u'0');
    return value < 0 ? u'-' + digits : digits;
}

QString formatModified(const QDateTime &time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    const int hour12 = clock.hour() % 12 == 0 ? 12 : clock.hour() % 12;
    return QStringLiteral("%1/%2/%3 %4:%5 %6")
        .arg(date.month())
        .arg(date.day())
        .arg(formatZeroPadded(date.year() % 100, 2))
        .arg(hour12)
        .arg(formatZeroPadded(clock.minute(), 2))
        .arg(clock.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}
