// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the archiver call: command lines, their splitting, volume numbers and zip names, the work folder.
#include "engine/archivercommand.h"
#include "engine/execcmd.h"
#include "engine/tempworkfolder.h"
#include "engine/volumenames.h"
#include "testfiles.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestArchiverCall : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<bool>("rar");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("savePaths");
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("line");
        const QString list = QStringLiteral(" \"@/opt/v/ripfiles.txt\"");
        QTest::newRow("rar floppy, names only") << true << 3 << 3 << 0 << "/tmp/~Varko01/myrel.rar"
                                                << "wrar a -ep -v1440000b -m3 -y /tmp/~Varko01/myrel.rar" + list;
        QTest::newRow("ace step 5, paths") << false << 5 << 3 << 1 << "/tmp/~Varko01/myrel.ace"
                                           << "wace a -r -y -v2500 -m3 /tmp/~Varko01/myrel.ace" + list;
        QTest::newRow("rar step 0: two blanks") << true << 0 << 3 << 0 << "/rips/myrel.rar"
                                                << "wrar a -ep  -m3 -y /rips/myrel.rar" + list;
        QTest::newRow("rar paths, store") << true << 1 << 0 << 1 << "/t/a.001"
                                          << "wrar a -r0 -v500000b -m0 -y /t/a.001" + list;
        QTest::newRow("ace names only, step 0") << false << 0 << 5 << 0 << "/t/a.ace"
                                                << "wace a -y -ep  -m5 /t/a.ace" + list;
        QTest::newRow("only 1 stores paths") << true << 3 << 3 << 2 << "/t/a.rar"
                                             << "wrar a -ep -v1440000b -m3 -y /t/a.rar" + list;
        QTest::newRow("blank in the rip-to folder is quoted") << true << 0 << 3 << 0 << "/my rips/a.rar"
                                                              << "wrar a -ep  -m3 -y \"/my rips/a.rar\"" + list;
    }
    void commandLine()
    {
        QFETCH(bool, rar);
        QFETCH(int, step);
        QFETCH(int, level);
        QFETCH(int, savePaths);
        QFETCH(QString, archive);
        QTEST(ArchiverCommand::commandLine(rar, step, level, savePaths, archive, QStringLiteral("/opt/v/ripfiles.txt")),
              "line");
    }

    void splitting_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("blanks separate, runs count once")
            << "wrar a -ep  -m3" << QStringList{"wrar", "a", "-ep", "-m3"};
        QTest::newRow("quotes group and go") << "wrar \"/my rips/a.rar\" \"@/x/ripfiles.txt\""
                                             << QStringList{"wrar", "/my rips/a.rar", "@/x/ripfiles.txt"};
        QTest::newRow("empty quotes are an argument") << "a \"\" b" << QStringList{"a", "", "b"};
        QTest::newRow("escaped quote") << R"(a \"b\")" << QStringList{"a", "\"b\""};
        QTest::newRow("backslashes before a quote halve") << R"(a\\"b c")" << QStringList{R"(a\b c)"};
        QTest::newRow("other backslashes stay") << R"(a\b\\c)" << QStringList{R"(a\b\\c)"};
        QTest::newRow("trailing blanks") << "  a  " << QStringList{"a"};
    }
    void splitting()
    {
        QFETCH(QString, line);
        QTEST(splitCommandLine(line), "arguments");
    }

    // Only the archiver's own line gives a count; anything else it prints is not one.
    void plannedVolumes_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("count");
        // clang-format off
        QTest::newRow("the line") << QByteArray("Volumes: 243") << 243;
        QTest::newRow("CR LF end") << QByteArray("Volumes: 3\r") << 3;
        QTest::newRow("none") << QByteArray("Volumes: 0") << 0;
        QTest::newRow("negative") << QByteArray("Volumes: -2") << 0;
        QTest::newRow("too many for a count") << QByteArray("Volumes: 99999999999") << 0;
        QTest::newRow("not a number") << QByteArray("Volumes: many") << 0;
        QTest::newRow("another word") << QByteArray("volumes: 3") << 0;
        QTest::newRow("no blank") << QByteArray("Volumes:3") << 0;
        QTest::newRow("inside other text") << QByteArray("Adding Volumes: 3") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        // clang-format on
    }
    void plannedVolumes()
    {
        QFETCH(QByteArray, line);
        QTEST(ArchiverCommand::plannedVolumes(line), "count");
    }

    // Whatever the temporary folder holds, the archiver gets the archive and
    // the list as one argument each.
    void quotingRoundTrip_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("blank") << "/my tmp/~Varko01";
        QTest::newRow("tab") << "/my\ttmp/~Varko01";
        QTest::newRow("quote") << "/my\"tmp/~Varko01";
        QTest::newRow("backslashes before a quote") << "/a\\\\\"b c/~Varko01";
        QTest::newRow("trailing backslash in a quoted name") << "/a b\\/~Varko01\\";
    }
    void quotingRoundTrip()
    {
        QFETCH(QString, folder);
        const QString archive = folder + QStringLiteral("/rel.rar");
        const QString list = folder + QStringLiteral("/ripfiles.txt");
        const QStringList args = splitCommandLine(ArchiverCommand::commandLine(true, 3, 3, 0, archive, list));
        QCOMPARE(args.mid(args.size() - 2), (QStringList{archive, u'@' + list}));
    }

    // A set of 103 volumes outside the over-99 state still gets three digits everywhere.
    void numberStringsPastNinetyNine()
    {
        const VolumeNames names(true, false, 3, 103);
        QCOMPARE((QStringList{names.numberString(103), names.totalString(), names.dizNumber(103),
                              zipBaseName(QStringLiteral("/rips/"), QStringLiteral("rel"), names.numberString(103))}),
                 (QStringList{"103", "103", "103", "/rips/rel103"}));
    }

    void workFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("~Varko01")));
        makeFile(dir.filePath("~Varko02"), QByteArray("a file takes the name too"));
        QCOMPARE(TempWorkFolder::create(dir.path()), dir.filePath("~Varko03"));
        QCOMPARE(TempWorkFolder::create(dir.path() + u'/'), dir.filePath("~Varko04"));
        QVERIFY(QFileInfo(dir.filePath("~Varko04")).isDir());
        // No folder, or a file where the folder should be: nothing is made.
        QCOMPARE(TempWorkFolder::create(dir.filePath("missing")), QString());
        QCOMPARE(TempWorkFolder::create(makeFile(dir.filePath("plain"), 1)), QString());
    }

    void locating()
    {
        QTemporaryDir first, second;
        makeFile(second.filePath("tool"), QByteArray("#!/bin/sh\n"));
        QFile::setPermissions(second.filePath("tool"), QFile::ReadOwner | QFile::ExeOwner);
        makeFile(first.filePath("tool"), QByteArray("not executable"));
        QCOMPARE(locateProgram(QStringLiteral("tool"), {first.path(), second.path()}), second.filePath("tool"));
        QCOMPARE(locateProgram(QStringLiteral("sh"), {first.path()}),
                 QStandardPaths::findExecutable(QStringLiteral("sh")));
    }
};

QTEST_GUILESS_MAIN(TestArchiverCall)
#include "tst_archivercall.moc"
