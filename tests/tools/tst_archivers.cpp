// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — wrar and wace end to end: the rip run's command lines, and the
// sets opened by readers we did not write (7-Zip and The Unarchiver for RAR,
// unace for ACE) and compared byte for byte.
#include "archivertestkit.h"
#include "naming/volumenaming.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Fixed bytes of a volume and of a file header without its name.
qint64 overheadOf(const QString &tool)
{
    return tool == "wrar" ? 29 : 31;
}
qint64 headerBaseOf(const QString &tool)
{
    return tool == "wrar" ? 32 : 4 + 35;
}

// The command line the rip run builds; `volumeBytes` 0 for none (a KiB multiple for wace).
QStringList commandLine(const QString &tool, bool barePaths, qint64 volumeBytes, const QString &archive,
                        const QString &list)
{
    const QString volume = tool == "wrar" ? QString("-v%1b").arg(volumeBytes) : QString("-v%1").arg(volumeBytes / 1024);
    QStringList args{"a"};
    if (tool == "wrar")
        args << (barePaths ? "-ep" : "-r0");
    else
        args << (barePaths ? QStringList{"-y", "-ep"} : QStringList{"-r", "-y"});
    if (volumeBytes > 0)
        args << volume;
    args << "-m3";
    if (tool == "wrar")
        args << "-y";
    return args << archive << "@" + list;
}

// Volume i's name, as the naming table test pins it.
QString volumeName(const QString &archive, int i)
{
    return QString::fromStdString(VolumeNaming(archive.toStdString()).name(std::size_t(i)));
}

QStringList readersOf(const QString &tool, const QString &archive)
{
    if (tool == "wace")
        return {"unace"}; // unar takes our ACE sets for ACE but lists no entry; 7z does not open ACE
    return archive.endsWith(".001") ? QStringList{"7z"} : QStringList{"7z", "unar"}; // unar does not follow .001
}

} // namespace

class TestArchivers : public QObject
{
    Q_OBJECT

private slots:
    // The readers are installed with the build's packages: one missing is a broken set-up, not a pass.
    void initTestCase()
    {
        const QString missing = missingReaders({"7z", "unar", "unace"});
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }

    void byTool_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::newRow("wrar") << "wrar";
        QTest::newRow("wace") << "wace";
    }
    void sets_data()
    {
        // clang-format off
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("content"); // see makeContent()
        QTest::addColumn<bool>("barePaths");
        QTest::addColumn<qint64>("volumeBytes");
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("volumes");
        for (const QString tool : {"wrar", "wace"}) {
            const QString ext = tool == "wrar" ? ".rar" : ".ace";
            const auto row = [&tool](const char *name) { return &QTest::newRow(qPrintable(tool + ": " + name)); };
            *row("one archive, paths") << tool << "mixed" << false << 0ll << "set" + ext << 1;
            *row("one archive, bare names") << tool << "mixed" << true << 0ll << "set" + ext << 1;
            *row("one volume") << tool << "mixed" << false << 1474560ll << "set" + ext << 1;
            *row("three volumes, paths") << tool << "mixed" << false << 102400ll << "set" + ext << 3;
            *row("file spanning volumes") << tool << "spanning" << false << 1024ll << "set" + ext << 6;
            *row("file ending on a volume boundary") << tool << "boundary" << true << 1024ll << "set" + ext << 2;
            *row("103 volumes") << tool << "volumes103" << true << 1024ll << "set" + ext << 103;
        }
        QTest::newRow("wrar: .001 names past 99") << "wrar" << "volumes103" << true << 1024ll << "set.001" << 103;
        // clang-format on
    }
    void sets()
    {
        QFETCH(QString, tool);
        QFETCH(QString, content);
        QFETCH(bool, barePaths);
        QFETCH(qint64, volumeBytes);
        QFETCH(QString, archive);
        QFETCH(int, volumes);
        QTemporaryDir dir;
        const QString out = dir.filePath("out");
        const QStringList lines =
            makeContent(content, dir.filePath("src"), volumeBytes, overheadOf(tool), headerBaseOf(tool));
        QStringList expected = treeListing(dir.filePath("src"), barePaths);
        // ACE readers take names as ASCII: wace stores the non-ASCII name transliterated, and says so.
        const bool renamed = tool == "wace" && content == "mixed";
        if (renamed)
            expected = expected.replaceInStrings(QString::fromUtf8("Ünïcödé 名前.txt"), "Unicode __.txt");
        expected.sort();
        QDir().mkpath(out);
        const ProcessResult run =
            runProcess(toolPath(tool),
                       commandLine(tool, barePaths, volumeBytes, out + u'/' + archive, writeList(dir.path(), lines)));
        QVERIFY2(run.exitCode == (renamed ? 1 : 0), run.err.constData());
        QCOMPARE(run.err.contains("the name holds characters outside ASCII, stored as Unicode __.txt"), renamed);

        // The count is said before the first volume, for the run to finish each zip as it goes.
        QCOMPARE(run.out, volumeBytes > 0 ? QStringLiteral("Volumes: %1\n").arg(volumes).toUtf8() : QByteArray());

        // Only the volumes are left, every one but the last of exactly the size asked.
        QStringList names;
        for (int i = 0; i < volumes; ++i) {
            names << volumeName(archive, i);
            if (volumeBytes > 0 && i + 1 < volumes)
                QCOMPARE(QFileInfo(out + u'/' + names.last()).size(), volumeBytes);
        }
        names.sort();
        QCOMPARE(filesIn(out), names);

        for (const QString &reader : readersOf(tool, archive)) {
            QCOMPARE(extract(reader, out + u'/' + archive, dir.filePath(reader)), QString());
            QCOMPARE(treeListing(dir.filePath(reader)), expected);
        }
    }
    void names_data()
    {
        // clang-format off
        QTest::addColumn<QString>("tool");
        QTest::addColumn<bool>("barePaths");
        QTest::addColumn<QStringList>("files"); // below src/, each holding its own name
        QTest::addColumn<QStringList>("stored"); // the same files as a reader writes them
        QTest::addColumn<QStringList>("said");
        for (const QString tool : {"wrar", "wace"}) {
            const auto row = [&tool](const char *name) { return &QTest::newRow(qPrintable(tool + ": " + name)); };
            *row("a backslash name meets a kept one")
                << tool << false << QStringList{"a\\b.txt", "a_b.txt"} << QStringList{"a_b (2).txt", "a_b.txt"}
                << QStringList{"a\\b.txt: the name holds a backslash, stored as a_b (2).txt (a_b.txt is the name of "};
            *row("a folder renamed meets a kept one")
                << tool << false << QStringList{"d\\/x.txt", "d_/x.txt"} << QStringList{"d_ (2)/x.txt", "d_/x.txt"}
                << QStringList{"stored as d_ (2) (d_ is the name of "};
            *row("bare names from two folders") << tool << true << QStringList{"one/a\\b.txt", "two/a_b.txt"}
                                                << QStringList{"a_b (2).txt", "a_b.txt"} << QStringList{"two/a_b.txt)"};
            *row("the numbered name taken too") << tool << false << QStringList{"a\\b.txt", "a_b.txt", "a_b (2).txt"}
                << QStringList{"a_b (3).txt", "a_b.txt", "a_b (2).txt"} << QStringList{"stored as a_b (3).txt"};
            *row("a hidden name has no extension")
                << tool << false << QStringList{".x\\y", ".x_y"} << QStringList{".x_y (2)", ".x_y"}
                << QStringList{"stored as .x_y (2) "};
        }
        // ACE names are Windows names; unace 1.2b would write these characters as they are.
        QTest::newRow("wace: characters Windows names cannot hold") << "wace" << false
            << QStringList{"st*r.txt", "q?.txt", "c:d.txt", "l<g>.txt", "p|.txt", "d\"q.txt", "t\tb.txt", "del\x7f.txt"}
            << QStringList{"st_r.txt", "q_.txt", "c_d.txt", "l_g_.txt", "p_.txt", "d_q.txt", "t_b.txt", "del_.txt"}
            << QStringList{"st*r.txt: the name holds '*', stored as st_r.txt", "holds '<' and '>', stored as l_g_.txt",
                           "holds '\"', stored as d_q.txt", "holds a control character, stored as t_b.txt"};
        QTest::newRow("wace: '*' meets a backslash")
            << "wace" << false << QStringList{"*", "\\"} << QStringList{"_", "_ (2)"}
            << QStringList{"stored as _ (2) (_ is the name of "};
        QTest::newRow("wace: two characters meet a kept numbered name")
            << "wace" << false << QStringList{"*.txt", "?.txt", "_ (2).txt"}
            << QStringList{"_.txt", "_ (3).txt", "_ (2).txt"}
            << QStringList{"?.txt: the name holds '?', stored as _ (3).txt (_.txt is the name of "};
        QTest::newRow("wace: outside ASCII meets a kept name")
            << "wace" << true << QStringList{QString::fromUtf8("é/a*é.txt"), "e/a_e.txt"}
            << QStringList{"a_e (2).txt", "a_e.txt"}
            << QStringList{"the name holds characters outside ASCII and '*', stored as a_e (2).txt"};
        // clang-format on
    }
    // What a name cannot hold is stored as '_', with a warning and exit 1, and
    // every file comes out of the readers under its stored name: none is lost.
    void names()
    {
        QFETCH(QString, tool);
        QFETCH(bool, barePaths);
        QFETCH(QStringList, files);
        QFETCH(QStringList, stored);
        QTemporaryDir dir;
        const QString top = barePaths ? "want" : "want/src";
        for (qsizetype i = 0; i < files.size(); ++i) {
            makeFile(dir.filePath("src/" + files[i]), files[i].toUtf8());
            makeFile(dir.filePath(top + u'/' + stored[i]), files[i].toUtf8());
        }
        const QString archive = dir.filePath(tool == "wrar" ? "out/set.rar" : "out/set.ace");
        QDir().mkpath(dir.filePath("out"));
        const ProcessResult run = runProcess(
            toolPath(tool), commandLine(tool, barePaths, 0, archive, writeList(dir.path(), {dir.filePath("src/*")})));
        QCOMPARE(run.exitCode, 1);
        QFETCH(QStringList, said);
        for (const QString &text : said)
            QVERIFY2(run.err.contains(text.toUtf8()), run.err.constData());
        for (const QString &reader : readersOf(tool, archive)) {
            QCOMPARE(extract(reader, archive, dir.filePath(reader)), QString());
            QCOMPARE(treeListing(dir.filePath(reader), barePaths), treeListing(dir.filePath("want"), barePaths));
        }
    }

    void missingEntrySkipped_data() { byTool_data(); }

    void missingEntrySkipped()
    {
        QFETCH(QString, tool);
        QTemporaryDir dir;
        makeFile(dir.filePath("src/kept.txt"), QByteArray("kept"));
        const QString archive = dir.filePath(tool == "wrar" ? "set.rar" : "set.ace");
        const QString list = writeList(dir.path(), {dir.filePath("src/gone.txt"), dir.filePath("src/kept.txt")});
        const ProcessResult run = runProcess(toolPath(tool), commandLine(tool, true, 0, archive, list));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.startsWith(tool.toUtf8() + ": "));
        QVERIFY(run.err.contains("gone.txt"));
        const QString reader = readersOf(tool, archive).first();
        QCOMPARE(extract(reader, archive, dir.filePath("x")), QString());
        QCOMPARE(filesIn(dir.filePath("x")), QStringList{"kept.txt"});
    }
    void cannotWrite_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<int>("blocked"); // the volume that cannot be written
        for (const QString tool : {"wrar", "wace"}) {
            QTest::newRow(qPrintable(tool + ": folder not writable")) << tool << 0;
            QTest::newRow(qPrintable(tool + ": a folder in the way of volume 4")) << tool << 3;
        }
    }
    // Exit 2 naming the volume, and nothing of the set left: the volumes before it go too.
    void cannotWrite()
    {
        QFETCH(QString, tool);
        QFETCH(int, blocked);
        QTemporaryDir dir;
        QString out = dir.filePath("out");
        QDir().mkpath(out);
        if (blocked == 0 && ::geteuid() == 0)
            out = "/proc"; // root writes anywhere it may; /proc refuses new files even to root
        else if (blocked == 0)
            QFile::setPermissions(out, QFile::ReadOwner | QFile::ExeOwner);
        const QString archive = out + (tool == "wrar" ? "/set.rar" : "/set.ace");
        const QString blocker = QFileInfo(volumeName(archive, blocked)).fileName();
        if (blocked > 0)
            QDir().mkpath(out + u'/' + blocker);
        const QStringList lines = makeContent("spanning", dir.filePath("src"));
        const ProcessResult run =
            runProcess(toolPath(tool), commandLine(tool, false, 1024, archive, writeList(dir.path(), lines)));
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(blocker.toUtf8()));
        QVERIFY(!QFileInfo::exists(archive));
        if (blocked > 0)
            QCOMPARE(filesIn(out), QStringList{blocker});
    }

    void interruptLeavesNoPartialSet()
    {
        QTemporaryDir dir;
        QFile big(dir.filePath("big.bin"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(4000000000)); // sparse: nothing to write up front
        big.close();
        QDir().mkpath(dir.filePath("out"));
        QProcess wrar;
        wrar.start(
            toolPath("wrar"),
            commandLine("wrar", true, 10000000, dir.filePath("out/set.rar"), writeList(dir.path(), {big.fileName()})));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath("out/set.r00")), 20000);
        wrar.terminate(); // SIGTERM to this process
        QVERIFY(wrar.waitForFinished(20000));
        QCOMPARE(wrar.exitCode(), 2);
        QVERIFY(wrar.readAllStandardError().contains("interrupted"));
        QCOMPARE(filesIn(dir.filePath("out")), QStringList());
    }

    void timesAndPermissions()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("src/rel/private.txt");
        makeFile(file, QByteArray("secret"));
        ::chmod(QFile::encodeName(file).constData(), 0640);
        ::chmod(QFile::encodeName(dir.filePath("src/rel")).constData(), 0750);
        const QDateTime odd = QDateTime(QDate(2021, 3, 4), QTime(5, 6, 9, 123), Qt::UTC);
        setModified(file, odd);
        const QString archive = dir.filePath("t.rar");
        const QString list = writeList(dir.path(), {dir.filePath("src/rel/*")});
        QCOMPARE(runProcess(toolPath("wrar"), commandLine("wrar", false, 0, archive, list)).exitCode, 0);
        const auto mode = [](const QString &path) {
            struct stat st
            {
            };
            return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
        };
        for (const QString &reader : QStringList{"7z", "unar"}) {
            QCOMPARE(extract(reader, archive, dir.filePath(reader)), QString());
            QCOMPARE(mode(dir.filePath(reader + "/rel/private.txt")), 0640);
            QCOMPARE(mode(dir.filePath(reader + "/rel")), 0750);
        }
        // 7-Zip reads the extra time field to 100 ns; The Unarchiver keeps to the 2-second DOS time.
        QCOMPARE(QFileInfo(dir.filePath("7z/rel/private.txt")).lastModified().toUTC(), odd);
        QCOMPARE(QFileInfo(dir.filePath("unar/rel/private.txt")).lastModified().toUTC(), odd.addMSecs(-1123));
    }

    void ownVolumesLeftOut()
    {
        // The set is written into the very folder it archives, over an older set.
        QTemporaryDir dir;
        makeFile(dir.filePath("rel/a.txt"), QByteArray("abc"));
        makeFile(dir.filePath("rel/set.rar"), QByteArray("old"));
        makeFile(dir.filePath("rel/set.r00"), QByteArray("old"));
        const QString archive = dir.filePath("rel/set.rar");
        const ProcessResult run = runProcess(
            toolPath("wrar"), commandLine("wrar", false, 0, archive, writeList(dir.path(), {dir.filePath("rel/*")})));
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(extract("7z", archive, dir.filePath("x")), QString());
        QCOMPARE(filesIn(dir.filePath("x/rel")), QStringList{"a.txt"});
    }
};

QTEST_GUILESS_MAIN(TestArchivers)
#include "tst_archivers.moc"
