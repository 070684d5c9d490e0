// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the cue.txt listing, column for column.
#include "store/queuelisting.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QueueListingInput sample()
{
    QueueListingInput input;
    input.caption = "Varko 2000 - /home/u/rel.v2k";
    input.rows = {
        {"file_id.diz", "1KB", "plain text document", "11/28/99 3:07 PM", "/home/u/rel/", "Zip"},
        {"a very long name.bin", "12,345KB", "binary", "1/2/26 12:00 AM", "/home/u/releases/2026/december/", "Rar"},
        {"gone.nfo", "-----", "(Not found!)", "-----", "/old/", ""}};
    input.totalKB = 12346.4;
    input.archiveTypeText = "Rar";
    input.archiveSizeText = "1.44M";
    input.sizePosition = 3;
    input.estimate = 8.576;
    input.zipText = "Zip";
    input.settings.tdrive = "/tmp";
    input.settings.riptodir = "/home/u/out/";
    input.settings.nfo1st = 1;
    input.settings.dnumber = 1;
    input.settings.zcomment = 1;
    input.settings.comment = "/home/u/comment.txt";
    input.tempFreeBytes = qint64(2500) * 1048576 + 600000;
    return input;
}

const QString kIndent(14, u' ');

} // namespace

class TestQueueListing : public QObject
{
    Q_OBJECT

private slots:
    void fewRows()
    {
        const QStringList expected{
            "Varko 2000 - /home/u/rel.v2k",
            "",
            "",
            " File         Size          Type          Date                Path                  In",
            " ----         ----          ----          ----                ----                  --",
            " file_id.diz  1KB           plain text do 11/28/99 3:07 PM    /home/u/rel/          Zip",
            " a very long  12,345KB      binary        1/2/26 12:00 AM     /home/u/releases/2    Rar",
            " gone.nfo     -----         (Not found!)  -----               /old/                 ",
            " ------------ ------------- ------------- ------------------- --------------------- ------------",
            " Total:  3    12,346KB",
            "",
            "",
            "",
            "  Settings:   Rar",
            kIndent + "  1.44M size",
            kIndent + "  8.58 Estimated files",
            kIndent + "  Normal compression",
            kIndent + "  No paths stored",
            kIndent + "  Temp. drive:    /tmp/     2,501M Free",
            "",
            kIndent + "Zip",
            kIndent + "  Nfo in 1st zip only",
            kIndent + "  Diz auto-number",
            kIndent + "  Normal compression",
            kIndent + "  Zip comment:    /home/u/comment.txt",
            "",
            kIndent + "  Rip-to folder:  /home/u/out/",
            ""};
        QCOMPARE(queueListingLines(sample()), expected);
    }

    void settingsVariants_data()
    {
        QTest::addColumn<QString>("sizeText");
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("estimate");
        QTest::addColumn<QStringList>("sizeLines");
        QTest::newRow("single file") << "1 file" << 0 << 0.0 << QStringList{"  1 Max file", "  1 file"};
        QTest::newRow("estimate of one file or less") << ".5M" << 1 << 1.0 << QStringList{"  .5M size", "  1 file"};
    }
    // An empty queue, no zips, paths stored, a temporary folder whose free space is unknown.
    void settingsVariants()
    {
        QFETCH(QString, sizeText);
        QFETCH(int, position);
        QFETCH(double, estimate);
        QFETCH(QStringList, sizeLines);
        QueueListingInput input = sample();
        input.rows.clear();
        input.totalKB = 0;
        input.archiveSizeText = sizeText;
        input.sizePosition = position;
        input.estimate = estimate;
        input.zipText.clear();
        input.pathsText = "Paths";
        input.tempFreeBytes.reset();
        QStringList indented{
            " ------------ ------------- ------------- ------------------- --------------------- ------------",
            " Total:  0    KB",
            "",
            "",
            "",
            "  Settings:   Rar"};
        for (const QString &line : sizeLines
                 + QStringList{"  Normal compression", "  Include paths", "  Temp. drive:    /tmp/ - Error!", "",
                               "No Zips", "", "  Rip-to folder:  /home/u/out/", ""})
            indented << (line.isEmpty() ? line : kIndent + line);
        QCOMPARE(queueListingLines(input).mid(5), indented);
    }

    void crowdedZones()
    {
        // Texts that reach a zone's first column push on to the next zone; the
        // row still holds every column, separated by at least one blank.
        QueueListingInput input = sample();
        input.rows = {{"x", "1,234,567,890KB", "t", "12/31/99 11:59 PM", "/p/", "Rar"}};
        input.rows.append(QList<QueueListingInput::Row>(12345, input.rows.first()));
        const QStringList lines = queueListingLines(input);
        QCOMPARE(
            lines.at(5),
            QStringLiteral(" x            1,234,567,890KB             t             12/31/99 11:59 PM /p/       Rar"));
        QCOMPARE(lines.at(5 + 12346 + 1), QStringLiteral(" Total:  12346              12,346KB"));
    }

    void writtenWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("cue.txt");
        QVERIFY(writeQueueListing(path, sample()));
        QCOMPARE(readFile(path), crlf(queueListingLines(sample())));
        QVERIFY(!writeQueueListing(dir.filePath("missing/cue.txt"), sample()));
    }
};

QTEST_GUILESS_MAIN(TestQueueListing)
#include "tst_queuelisting.moc"
