// Varko 2000 — the panel and menu texts that mirror the settings, at their odd values.
#include "store/settingscaptions.h"

#include <QTest>

class TestSettingsCaptions : public QObject
{
    Q_OBJECT

private slots:
    void captions_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rarace 0") << archiveTypeCaption(0) << "Ace";
        QTest::newRow("hand-edited rarace 2 is Ace") << archiveTypeCaption(2) << "Ace";
        QTest::newRow("zip 2 is off") << zipCaption(2) << "";
        QTest::newRow("paths 1") << pathsCaption(1) << "Paths";
        QTest::newRow("rip-to folder and ten blanks") << ripToCaption("/home/u/") << "/home/u/          ";
        QTest::newRow("font 12") << startupFontSize("12") << "12";
        QTest::newRow("font 9 becomes 8") << startupFontSize("9") << "8";
        QTest::newRow("font with a blank becomes 8") << startupFontSize(" 10") << "8";
    }
    void captions()
    {
        QFETCH(QString, caption);
        QTEST(caption, "expected");
    }

    void compressionEntry()
    {
        QCOMPARE(checkedCompressionEntry(0), std::optional<int>(0));
        QCOMPARE(checkedCompressionEntry(5), std::optional<int>(5));
        QVERIFY(!checkedCompressionEntry(7)); // every entry unchecked
        QVERIFY(!checkedCompressionEntry(-1));
    }
};

QTEST_APPLESS_MAIN(TestSettingsCaptions)
#include "tst_settingscaptions.moc"
