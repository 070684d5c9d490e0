// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the number and date formats at their edges, the lenient number rule and line splitting.
#include "store/lineformat.h"
#include "store/textformat.h"

#include <QTest>

class TestTextFormat : public QObject
{
    Q_OBJECT

private slots:
    // One table for every rule: the rule, what it is given, the text it gives.
    void rules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *rule, const char *name, const QVariant &input, const QString &text) {
            QTest::addRow("%s: %s", rule, name) << QString::fromLatin1(rule) << input << text;
        };
        row("thousands", "zero prints nothing", 0.0, "");
        row("thousands", "a half rounds away from zero", 0.5, "1");
        row("thousands", "2.5 rounds up, not to even", 2.5, "3");
        row("thousands", "rounding carries into a group", 999999.5, "1,000,000");
        row("thousands", "negative that rounds to zero", -0.2, "");
        row("decimals", "no leading zero", 0.5, ".50");
        row("decimals", "always two decimals", 12.3, "12.30");
        row("decimals", "half of the last place rounds up", 12.345, "12.35");
        row("decimals", "decimal half despite binary", 1.005, "1.01");
        row("decimals", "carry into the whole part", 9.999, "10.00");
        row("modified", "afternoon", QDateTime(QDate(1999, 11, 28), QTime(15, 7)), "11/28/99 3:07 PM");
        row("modified", "zero-padded minutes and year", QDateTime(QDate(2000, 7, 4), QTime(12, 5)), "7/4/00 12:05 PM");
        row("modified", "midnight is 12 AM", QDateTime(QDate(2026, 1, 2), QTime(0, 0)), "1/2/26 12:00 AM");
        row("modified", "last minute of the morning", QDateTime(QDate(2009, 12, 31), QTime(11, 59, 59)),
            "12/31/09 11:59 AM");
        row("lenient", "blanks inside are skipped", " 1 2", "12");
        row("lenient", "empty is zero", "", "0");
        row("lenient", "stops at a letter", "12abc", "12");
        row("lenient", "half to even, down", "2.5", "2");
        row("lenient", "half to even, up", "3.5", "4");
        row("lenient", "second point ends the number", "1.5.9", "2");
        row("lenient", "smallest", "-32768", "-32768");
        row("lenient", "rounds over the top", "32767.5", "none");
        row("lenient", "overflow", "70000", "none");
        row("lenient", "very long number", QString(400, u'9'), "none");
        row("lenient", "sign after digits ends it", "5-3", "5");
        row("lenient", "non-ASCII digits are not digits", QString::fromUtf8("\xd9\xa3"), "0");
        // Each line ends in '|': an empty file has no line, a file of one empty line has one.
        row("lines", "empty file", QByteArray(), "");
        row("lines", "CR LF, LF and no final end", QByteArray("a\r\nb\nc"), "a|b|c|");
        row("lines", "lone CR", QByteArray("a\rb"), "a|b|");
        row("lines", "empty lines kept", QByteArray("a\r\n\r\nb\n"), "a||b|");
        row("lines", "not UTF-8", QByteArray("a\xff\r\n"), QString::fromUtf8("a\xef\xbf\xbd|"));
    }
    void rules()
    {
        QFETCH(QString, rule);
        QFETCH(QVariant, input);
        QString text;
        if (rule == u"thousands") {
            text = formatThousands(input.toDouble());
        } else if (rule == u"decimals") {
            text = formatTwoDecimals(input.toDouble());
        } else if (rule == u"modified") {
            text = formatModified(input.toDateTime());
        } else if (rule == u"lenient") {
            const std::optional<qint16> parsed = parseLenientNumber(input.toString());
            text = parsed ? QString::number(*parsed) : QStringLiteral("none");
        } else {
            for (const QString &line : splitLines(input.toByteArray()))
                text += line + u'|';
        }
        QTEST(text, "text");
    }
};

QTEST_APPLESS_MAIN(TestTextFormat)
#include "tst_textformat.moc"
