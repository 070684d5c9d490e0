// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — auto-numbering of file_id.diz: the "xx/xx" marker and the numbered copy.
#include "engine/diznumbering.h"

#include "store/storeresult.h"

#include <QList>
#include <QStringDecoder>

namespace DizNumbering {

namespace {

const QString kMarker = QStringLiteral("xx/xx");

// Line ends as every reader accepts them: CR LF, LF or a lone CR.
QList<QByteArray> rawLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

// A line as characters: UTF-8 when it is, else one character per byte, so
// that an old 8-bit diz comes back unchanged.
struct DecodedLine
{
    QString text;
    bool utf8 = true;
};

DecodedLine decode(const QByteArray &line)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(line);
    if (decoder.hasError())
        return {QString::fromLatin1(line), false};
    return {text, true};
}

QByteArray encode(const DecodedLine &line)
{
    return line.utf8 ? line.text.toUtf8() : line.text.toLatin1();
}

} // namespace

Marker markerIn(const QByteArray &text)
{
    const QList<QByteArray> lines = rawLines(text);
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const qsizetype at = decode(lines.at(n)).text.indexOf(kMarker);
        if (at >= 0)
            return {true, static_cast<int>(n + 1), static_cast<int>(at + 1)};
    }
    return {};
}

Search findMarker(const std::vector<QueueItem> &rows)
{
    for (const QueueItem &row : rows) {
        if (!row.name.toLower().endsWith(QStringLiteral(".diz")))
            continue;
        const std::optional<QByteArray> text = readWholeFile(row.fullPath());
        if (!text)
            return {{}, true};
        const Marker marker = markerIn(*text);
        if (marker.found)
            return {marker, false};
    }
    return {};
}

QString stamp(const QString &number, const QString &total)
{
    return number + u'/' + total;
}

QByteArray numberedCopy(const QByteArray &source, const Marker &marker, const QString &stamp)
{
    const QList<QByteArray> lines = rawLines(source);
    QByteArray copy;
    copy.reserve(source.size() + 2 * lines.size() + stamp.size());
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (marker.found && n + 1 == marker.line) {
            DecodedLine line = decode(lines.at(n));
            const qsizetype from = marker.column - 1;
            if (line.text.size() < from)
                line.text.append(QString(from - line.text.size(), u' '));
            line.text.replace(from, std::min(stamp.size(), line.text.size() - from), stamp);
            copy += encode(line);
        } else {
            copy += lines.at(n);
        }
        copy += "\r\n";
    }
    return copy;
}

} // namespace DizNumbering
