// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the set estimate, the size captions and the thresholds, and a run's progress and time left.
#include "engine/estimate.h"
#include "engine/runprogress.h"

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

    // Readings in megabytes at given milliseconds: "MS a BYTES VOLUME" (archived), "MS s BYTES VOLUMES"
    // (zipping starts), "MS z BYTES VOLUME" (zipped). The last reading is checked.
    void runProgress_data()
    {
        QTest::addColumn<int>("expectedMB");
        QTest::addColumn<bool>("compressZips");
        QTest::addColumn<QStringList>("readings");
        QTest::addColumn<QString>("told"); // "PERCENT|stage N of M|rate text"

        // clang-format off
        QTest::newRow("archive half written, too early for time left") << 100 << false << QStringList{"1000 a 50 35"} << "47|archive 35 of 0|50.0 MB/s";
        QTest::newRow("stored zips are made along the archiver: its end is nearly the run's") << 100 << false << QStringList{"1000 a 100 70", "1000 s 100 70"} << "95|zip 1 of 70|";
        QTest::newRow("zips half written, time left told") << 100 << true << QStringList{"1000 a 50 35", "4000 a 100 70", "4000 s 100 70", "5000 z 50 36"} << "57|zip 36 of 70|50.0 MB/s, 0:04 left";
        QTest::newRow("a compressed archive ends below the queue's bytes") << 100 << true << QStringList{"1000 a 40 28", "1000 s 40 28"} << "14|zip 1 of 28|";
        QTest::newRow("larger zips than expected never move the bar back") << 100 << true << QStringList{"1000 a 100 70", "1000 s 150 70"} << "14|zip 1 of 70|";
        QTest::newRow("deflating weighs more than copying") << 100 << true << QStringList{"1000 a 100 70"} << "14|archive 70 of 0|100.0 MB/s";
        QTest::newRow("speed over the last seconds only") << 1000 << false << QStringList{"1000 a 100 1", "5000 a 500 5", "8000 a 800 8", "9000 a 830 9"} << "79|archive 9 of 0|82.5 MB/s, 0:02 left";
        QTest::newRow("hours left") << 100000 << false << QStringList{"3600000 a 2000 2"} << "1|archive 2 of 0|0.6 MB/s, 51:30:00 left";
        // clang-format on
    }

    void runProgress()
    {
        QFETCH(int, expectedMB);
        QFETCH(bool, compressZips);
        QFETCH(QStringList, readings);
        constexpr qint64 MB = 1000 * 1000;
        qint64 now = 0;
        RunProgressMeter meter(expectedMB * MB, true, false, compressZips, [&now] { return now; });
        for (const QString &reading : readings) {
            const QStringList f = reading.split(u' ');
            now = f[0].toLongLong();
            const qint64 bytes = f[2].toLongLong() * MB;
            if (f[1] == u"a")
                meter.archived(bytes, f[3].toInt());
            else if (f[1] == u"s")
                meter.startZipping(bytes, f[3].toInt());
            else
                meter.zipped(bytes, f[3].toInt());
        }
        const RunProgress &p = meter.current();
        QTEST(QStringLiteral("%1|%2 %3 of %4|%5")
                  .arg(p.percent)
                  .arg(progressStageName(p.stage))
                  .arg(p.volume)
                  .arg(p.volumes)
                  .arg(progressRateText(p)),
              "told");
    }
};

QTEST_GUILESS_MAIN(TestEstimate)
#include "tst_estimate.moc"
