// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — varko2k.ini written and read back with its screen fallbacks.
#include "store/lineformat.h"
#include "store/windowstate.h"

#include <QTest>

Q_DECLARE_METATYPE(WindowPlacement)

namespace {

// 1024 by 768 pixels.
constexpr ScreenTwips kScreen{15360, 11520};

QStringList stateLines(const QString &state, int top, int left, int height, int width, int panel1 = 2410,
                       int panel3 = 1500)
{
    return {"Version=v1.38",
            "State=" + state,
            numberLine("Top=", top),
            numberLine("Left=", left),
            numberLine("Height=", height),
            numberLine("Width=", width),
            numberLine("Panel1.width=", panel1),
            numberLine("Panel3.top=", panel3),
            "Dir=/home/u/rel"};
}

} // namespace

class TestWindowState : public QObject
{
    Q_OBJECT

private slots:
    void defaultLines()
    {
        qputenv("HOME", "/home/u");
        QCOMPARE(defaultWindowStateLines("v1.38", 0, kScreen),
                 (QStringList{"Version=v1.38", "State= 0", "Top= 3145", "Left= 4755", "Height= 7270", "Width= 9900",
                              "Panel1.width= 2410", "Panel3.top= 1500", "Dir=/home/u"}));
    }

    void writtenLines_data()
    {
        // clang-format off
        QTest::addColumn<int>("show");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("normal") << int(WindowSnapshot::Show::Normal)
                                << QStringList{"State= 0", "Top= 900", "Left= 1200", "Height= 6000", "Width= 8000"};
        QTest::newRow("maximized keeps the designed size") << int(WindowSnapshot::Show::Maximized)
            << QStringList{"State= 2", "Top= 900", "Left= 1200", "Height= 7270", "Width= 9900"};
        // clang-format on
    }
    void writtenLines()
    {
        QFETCH(int, show);
        const WindowSnapshot window{WindowSnapshot::Show(show), 900, 1200, 6000, 8000, 3000, -15, "/home/u/rel dir"};
        const QStringList written = windowStateLines("v1.38", window, kScreen);
        QTEST(written.mid(1, 5), "lines");
        QCOMPARE(written.first(), QStringLiteral("Version=v1.38"));
        QCOMPARE(written.mid(6), (QStringList{"Panel1.width= 3000", "Panel3.top=-15", "Dir=/home/u/rel dir"}));
    }

    // The window's geometryFromStateFile reads a left and a height too small, a width too wide,
    // a maximized state and a narrow folder pane through the real window.
    void readingRules_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("read"); // maximize, state, top, left, height, width (-1: none)
        QTest::newRow("top below the screen")
            << stateLines(" 0", 11521, 1200, 6000, 8000) << QList<int>{0, 0, 4445, 1200, 6000, 8000};
        QTest::newRow("a minus sign sits in the skipped column")
            << stateLines(" 0", 900, -300, 6000, 8000) << QList<int>{0, 0, 900, 300, 6000, 8000};
        QTest::newRow("left beyond the screen")
            << stateLines(" 0", 900, 15361, 6000, 8000) << QList<int>{0, 0, 900, 4755, 6000, 8000};
        QTest::newRow("taller than the screen")
            << stateLines(" 0", 900, 1200, 11521, 8000) << QList<int>{0, 0, 900, 1200, 4820, 8000};
        QTest::newRow("screen-wide is taken")
            << stateLines(" 0", 900, 1200, 6000, 15360) << QList<int>{0, 0, 900, 1200, 6000, 15360};
        QTest::newRow("garbage numbers read as 0")
            << QStringList{"Version=", "State=xx",        "Top=xx",        "Left=xx", "Height=xx",
                           "Width=xx", "Panel1.width=xx", "Panel3.top=xx", "Dir="}
            << QList<int>{0, 0, 4445, 4755, 4820, 0};
        // The value must be exactly "2": a blank-less "2" sits one column early.
        QTest::newRow("blank-less 2 is not maximized")
            << stateLines("2", 900, 900, 6000, 8000) << QList<int>{0, 0, 900, 900, 6000, 8000};
    }
    void readingRules()
    {
        QFETCH(QStringList, lines);
        const WindowPlacement placement = readWindowState(lines, kScreen);
        QTEST(QList<int>({placement.maximize, placement.state, placement.top.value_or(-1), placement.left.value_or(-1),
                          placement.height.value_or(-1), placement.width.value_or(-1)}),
              "read");
    }

    void splitters_data()
    {
        QTest::addColumn<int>("panel1");
        QTest::addColumn<int>("panel3");
        QTest::addColumn<int>("rule");
        QTest::addColumn<int>("panel3Read");
        QTest::newRow("zero leaves both designed") << 0 << 0 << int(WindowPlacement::Splitter::Designed) << -1;
        QTest::newRow("wide pane taken") << 2100 << 2500 << int(WindowPlacement::Splitter::Value) << 2500;
    }
    void splitters()
    {
        QFETCH(int, panel1);
        QFETCH(int, panel3);
        const WindowPlacement placement =
            readWindowState(stateLines(" 0", 900, 900, 6000, 8000, panel1, panel3), kScreen);
        QTEST(int(placement.panel1), "rule");
        if (placement.panel1 == WindowPlacement::Splitter::Value)
            QCOMPARE(placement.panel1Width, panel1);
        QTEST(placement.panel3Top.value_or(-1), "panel3Read");
    }

    void browserFolder_data()
    {
        // clang-format off
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("refused");
        QTest::newRow("taken") << "/home/u/rel dir" << "/home/u/rel dir" << "";
        QTest::newRow("a NUL") << QStringLiteral("/home") + QChar::Null + u'x' << ""
                               << ": line 9 (Dir): holds a NUL byte";
        QTest::newRow("not UTF-8") << QStringLiteral("/h") + QChar::ReplacementCharacter << ""
                                   << ": line 9 (Dir): is not valid UTF-8";
        // clang-format on
    }
    void browserFolder()
    {
        QFETCH(QString, stored);
        QStringList lines = stateLines(" 0", 900, 900, 6000, 8000);
        lines[8] = QStringLiteral("Dir=") + stored;
        const WindowPlacement placement = readWindowState(lines, kScreen);
        QTEST(placement.dir, "dir");
        QTEST(placement.dirRefused, "refused");
    }
};

QTEST_GUILESS_MAIN(TestWindowState)
#include "tst_windowstate.moc"
