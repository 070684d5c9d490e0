// Varko 2000 — the number and date formats at their edges, and the lenient number rule.
#include "store/lineformat.h"
#include "store/textformat.h"

#include <QTest>

class TestTextFormat : public QObject
{
    Q_OBJECT

private slots:
    void thousands_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero prints nothing") << 0.0 << "";
        QTest::newRow("a half rounds away from zero") << 0.5 << "1";
        QTest::newRow("2.5 rounds up, not to even") << 2.5 << "3";
        QTest::newRow("rounding carries into a group") << 999999.5 << "1,000,000";
        QTest::newRow("negative that rounds to zero") << -0.2 << "";
    }
    void thousands()
    {
        QFETCH(double, value);
        QTEST(formatThousands(value), "text");
    }

    void twoDecimals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("no leading zero") << 0.5 << ".50";
        QTest::newRow("always two decimals") << 12.3 << "12.30";
        QTest::newRow("half of the last place rounds up") << 12.345 << "12.35";
        QTest::newRow("decimal half despite binary") << 1.005 << "1.01";
        QTest::newRow("carry into the whole part") << 9.999 << "10.00";
    }
    void twoDecimals()
    {
        QFETCH(double, value);
        QTEST(formatTwoDecimals(value), "text");
    }

    void modified_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("afternoon") << QDateTime(QDate(1999, 11, 28), QTime(15, 7)) << "11/28/99 3:07 PM";
        QTest::newRow("zero-padded minutes and year") << QDateTime(QDate(2000, 7, 4), QTime(12, 5)) << "7/4/00 12:05 PM";
        QTest::newRow("midnight is 12 AM") << QDateTime(QDate(2026, 1, 2), QTime(0, 0)) << "1/2/26 12:00 AM";
        QTest::newRow("last minute of the morning") << QDateTime(QDate(2009, 12, 31), QTime(11, 59, 59)) << "12/31/09 11:59 AM";
    }
    void modified()
    {
        QFETCH(QDateTime, time);
        QTEST(formatModified(time), "text");
    }

    void lenientNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value"); // 99999: no value (out of range)
        QTest::newRow("blanks inside are skipped") << " 1 2" << 12;
        QTest::newRow("empty is zero") << "" << 0;
        QTest::newRow("stops at a letter") << "12abc" << 12;
        QTest::newRow("half to even, down") << "2.5" << 2;
        QTest::newRow("half to even, up") << "3.5" << 4;
        QTest::newRow("second point ends the number") << "1.5.9" << 2;
        QTest::newRow("smallest") << "-32768" << -32768;
        QTest::newRow("rounds over the top") << "32767.5" << 99999;
        QTest::newRow("overflow") << "70000" << 99999;
        QTest::newRow("very long number") << QString(400, u'9') << 99999;
        QTest::newRow("sign after digits ends it") << "5-3" << 5;
        QTest::newRow("non-ASCII digits are not digits") << QString::fromUtf8("\xd9\xa3") << 0;
    }
    void lenientNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        const std::optional<qint16> parsed = parseLenientNumber(text);
        if (value == 99999)
            QVERIFY(!parsed);
        else
            QCOMPARE(parsed, std::optional<qint16>(value));
    }

    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF, LF and no final end") << QByteArray("a\r\nb\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("lone CR") << QByteArray("a\rb") << QStringList{"a", "b"};
        QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\nb\n") << QStringList{"a", "", "b"};
        QTest::newRow("not UTF-8") << QByteArray("a\xff\r\n") << QStringList{QString::fromUtf8("a\xef\xbf\xbd")};
    }
    void lines()
    {
        QFETCH(QByteArray, bytes);
        QTEST(splitLines(bytes), "lines");
    }
};

QTEST_APPLESS_MAIN(TestTextFormat)
#include "tst_textformat.moc"
