// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the line format shared by options.ini, rip scripts and varko2k.ini.
#include "store/lineformat.h"

#include "store/textformat.h"

#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The longest number the lenient rule accepts at the start of `text`, blanks
// removed; "" when none.
QString leadingNumber(QStringView text)
{
    QString number;
    bool digitSeen = false;
    bool pointSeen = false;
    for (const QChar c : text) {
        if (isBlank(c))
            continue;
        if ((c == u'+' || c == u'-') && number.isEmpty()) {
            number += c;
        } else if (c.isDigit() && c.unicode() < 128) {
            number += c;
            digitSeen = true;
        } else if (c == u'.' && !pointSeen) {
            number += c;
            pointSeen = true;
        } else {
            break;
        }
    }
    return digitSeen ? number : QString();
}

} // namespace

std::optional<qint16> parseLenientNumber(QStringView text)
{
    const QString number = leadingNumber(text);
    if (number.isEmpty())
        return qint16(0);
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default mode rounds a half to even
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(rounded);
}

QString valueFromColumn(const QString &line, int column)
{
    return line.mid(column - 1);
}

QString numberLine(const QString &keyWithEquals, qint64 value)
{
    return keyWithEquals + numberText(value);
}

QStringList splitLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\n' && c != '\r')
            continue;
        lines << QString::fromUtf8(bytes.constData() + start, i - start);
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << QString::fromUtf8(bytes.constData() + start, bytes.size() - start);
    return lines;
}

QByteArray joinLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}
