// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the set estimate, the size captions and the thresholds.
#include "engine/estimate.h"

#include <QTest>

class TestEstimate : public QObject
{
    Q_OBJECT

private slots:
    void estimate_data()
    {
        QTest::addColumn<double>("totalKB");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("view"); // dialog caption | main caption | field | progress
        QTest::addColumn<bool>("over99");
        QTest::addColumn<bool>("over999");
        QTest::newRow("single file") << 5000.0 << 0 << "1 Max file|1 file|1.00|0%" << false << false;
        QTest::newRow("step 0 never counts volumes") << 1e9 << 0 << "1 Max file|1 file|1.00|0%" << false << false;
        QTest::newRow("floppy") << 2880.0 << 3 << "1.44M|1.44M|1.92|1.92 Est. files" << false << false;
        QTest::newRow("exactly one file shows nothing") << 1500.0 << 3 << "1.44M|1.44M|1.00|0%" << false << false;
        QTest::newRow("half a megabyte, at most one file") << 100.0 << 1 << ".5M|.5M|1.00|0%" << false << false;
        QTest::newRow("whole megabytes keep the point") << 100.0 << 2 << "1.M|1.M|1.00|0%" << false << false;
        QTest::newRow("step 4") << 100.0 << 4 << "2.M|2.M|1.00|0%" << false << false;
        QTest::newRow("empty queue") << 0.0 << 5 << "2.5M|2.5M|0.00|0%" << false << false;
        QTest::newRow("exactly 99.0 is not over 99")
            << 99.0 * 1500 << 3 << "1.44M|1.44M|99.00|99.00 Est. files" << false << false;
        QTest::newRow("just over 99") << 99.01 * 1500 << 3 << "1.44M|1.44M|99.01|99.01 Est. files" << true << false;
        QTest::newRow("exactly 999.0 is allowed")
            << 999.0 * 500 << 1 << ".5M|.5M|999.00|999.00 Est. files" << true << false;
        QTest::newRow("999.5 is refused")
            << 999.5 * 1500 << 3 << "1.44M|1.44M|999.50|999.50 Est. files" << true << true;
    }
    void estimate()
    {
        QFETCH(double, totalKB);
        QFETCH(int, step);
        const Estimate::DialogView v = Estimate::dialogView(totalKB, step);
        QTEST(QStringList({v.dialogCaption, v.mainCaption, v.estimateField, v.progressText}).join(u'|'), "view");
        QTEST(v.over99, "over99");
        // The run shows the same progress text as the dialog, and takes the same thresholds.
        QCOMPARE(Estimate::displayText(totalKB, step), v.progressText);
        const float run = step == 0 ? 0.0f : Estimate::runEstimate(totalKB, step);
        QTEST(Estimate::isOver99(run, step), "over99");
        QTEST(Estimate::isOver999(run, step), "over999");
    }
};

QTEST_GUILESS_MAIN(TestEstimate)
#include "tst_estimate.moc"
