// Varko 2000 — wace end to end: the rip run's command lines, the sets unace opens.
#include "archivertestkit.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

constexpr qint64 kOverhead = 31;       // the main header
constexpr qint64 kHeaderBase = 4 + 35; // file header without its name, four reserved bytes included

QStringList volumeNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << (i == 0 ? QString("set.ace") : i <= 100 ? QString::asprintf("set.c%02d", i - 1)
                                                         : QString::asprintf("set.%03d", i - 1));
    names.sort();
    return names;
}

// unace 1.2b exits 0 even when it stops early: the extracted tree is what counts.
QString extractWithUnace(const QString &archive, const QString &into)
{
    QDir().mkpath(into);
    const ProcessResult run = runProcess("unace", {"x", "-y", archive}, into);
    return run.exitCode == 0 ? QString() : QString::fromUtf8(run.out);
}

} // namespace

class TestWace : public QObject
{
    Q_OBJECT

private slots:
    void helpAndVersion();
    void badCommandLine_data();
    void badCommandLine();
    void sets_data();
    void sets();
    void missingEntrySkipped();
    void unwritableFolder();
    void failureLeavesNoPartialSet();
};

void TestWace::helpAndVersion()
{
    const ProcessResult help = runProcess(toolPath("wace"), {"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("Usage: wace a -r -y"));
    QVERIFY(help.out.contains("every level stores"));
    QCOMPARE(runProcess(toolPath("wace"), {"--version"}).exitCode, 0);
}

void TestWace::badCommandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no arguments") << QStringList{};
    QTest::newRow("RAR order") << QStringList{"a", "-r0", "-m3", "-y", "OUT/set.ace", "@LIST"};
    QTest::newRow("RAR volume switch") << QStringList{"a", "-r", "-y", "-v1440000b", "-m3", "OUT/set.ace", "@LIST"};
    QTest::newRow("level missing") << QStringList{"a", "-y", "-ep", "-v1440", "OUT/set.ace", "@LIST"};
    QTest::newRow("rar archive") << QStringList{"a", "-y", "-ep", "-m3", "OUT/set.rar", "@LIST"};
}

void TestWace::badCommandLine()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"), QByteArray("abc"));
    const QString list = writeList(dir.path(), {dir.filePath("a.txt")});
    QDir().mkpath(dir.filePath("out"));
    args.replaceInStrings("OUT", dir.filePath("out")).replaceInStrings("@LIST", "@" + list);
    const ProcessResult run = runProcess(toolPath("wace"), args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("Usage: wace"));
    QVERIFY(filesIn(dir.filePath("out")).isEmpty());
}

void TestWace::sets_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("paths"); // -r or -ep
    QTest::addColumn<int>("volumeKiB"); // 0: no volume switch
    QTest::addColumn<int>("volumes");
    QTest::addColumn<int>("exitCode");  // 1 where a name had to become ASCII
    QTest::newRow("one archive, paths") << "mixed" << "-r" << 0 << 1 << 1;
    QTest::newRow("one archive, bare names") << "mixed" << "-ep" << 0 << 1 << 1;
    QTest::newRow("three volumes, paths") << "mixed" << "-r" << 100 << 3 << 1;
    QTest::newRow("three volumes, bare names") << "mixed" << "-ep" << 100 << 3 << 1;
    QTest::newRow("file spanning volumes") << "spanning" << "-r" << 1 << 6 << 0;
    QTest::newRow("file ending on a volume boundary") << "boundary" << "-ep" << 1 << 2 << 0;
    QTest::newRow("103 volumes: c99, then 100 and 101") << "volumes103" << "-ep" << 1 << 103 << 0;
}

void TestWace::sets()
{
    QFETCH(QString, content);
    QFETCH(QString, paths);
    QFETCH(int, volumeKiB);
    QFETCH(int, volumes);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    const QString src = dir.filePath("src"), out = dir.filePath("out"), expect = dir.filePath("expect");
    const QStringList lines = makeContent(content, src, volumeKiB * 1024, kOverhead, kHeaderBase);
    makeExpected(lines, paths == "-ep", expect);
    // ACE readers take names as ASCII: the non-ASCII name is stored transliterated.
    const QString unicode = QString::fromUtf8("Ünïcödé 名前.txt");
    for (const QString &folder : {expect, expect + "/rel"})
        QFile::rename(folder + u'/' + unicode, folder + "/Unicode __.txt");
    QDir().mkpath(out);
    QStringList args{"a"};
    args << (paths == "-r" ? QStringList{"-r", "-y"} : QStringList{"-y", "-ep"});
    if (volumeKiB > 0)
        args << QString("-v%1").arg(volumeKiB);
    args << "-m3" << out + "/set.ace" << "@" + writeList(dir.path(), lines);

    const ProcessResult run = runProcess(toolPath("wace"), args);
    QVERIFY2(run.exitCode == exitCode, run.err.constData());
    QCOMPARE(run.err.contains("stored in ASCII as"), exitCode == 1);

    const QStringList names = volumeNames(volumes);
    QCOMPARE(filesIn(out), names);
    if (volumeKiB > 0) {
        QStringList byOrder = names;
        std::sort(byOrder.begin(), byOrder.end(), [](const QString &a, const QString &b) {
            const auto rank = [](const QString &n) { return n.endsWith(".ace") ? "0" : n.contains(".c") ? "1" + n : "2" + n; };
            return rank(a) < rank(b);
        });
        const QList<qint64> sizes = sizesOf(out, byOrder);
        for (int i = 0; i + 1 < sizes.size(); ++i)
            QCOMPARE(sizes[i], qint64(volumeKiB) * 1024);
    }

    if (!havePeer("unace"))
        QSKIP("unace is not installed");
    QCOMPARE(extractWithUnace(out + "/set.ace", dir.filePath("unace")), QString());
    QCOMPARE(treeDifference(expect, dir.filePath("unace")), QString());
}

void TestWace::missingEntrySkipped()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("src/kept.txt"), QByteArray("kept"));
    const QString list = writeList(dir.path(), {dir.filePath("src/gone.txt"), dir.filePath("src/kept.txt")});
    const ProcessResult run = runProcess(toolPath("wace"), {"a", "-y", "-ep", "-m3", dir.filePath("set.ace"), "@" + list});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.startsWith("wace: "));
    QVERIFY(run.err.contains("gone.txt"));
    if (!havePeer("unace"))
        QSKIP("unace is not installed");
    QCOMPARE(extractWithUnace(dir.filePath("set.ace"), dir.filePath("x")), QString());
    QCOMPARE(filesIn(dir.filePath("x")), QStringList{"kept.txt"});
}

void TestWace::unwritableFolder()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"), QByteArray("abc"));
    const QString list = writeList(dir.path(), {dir.filePath("a.txt")});
    QString folder = "/proc"; // refuses new files even to root
    if (::geteuid() != 0) {
        folder = dir.filePath("locked");
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    const ProcessResult run = runProcess(toolPath("wace"), {"a", "-r", "-y", "-v1440", "-m3", folder + "/set.ace", "@" + list});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("set.ace"));
    QVERIFY(!QFileInfo::exists(folder + "/set.ace"));
}

void TestWace::failureLeavesNoPartialSet()
{
    QTemporaryDir dir;
    const QStringList lines = makeContent("spanning", dir.filePath("src"));
    QDir().mkpath(dir.filePath("out/set.c02"));
    const ProcessResult run = runProcess(toolPath("wace"), {"a", "-r", "-y", "-v1", "-m3", dir.filePath("out/set.ace"),
                                                            "@" + writeList(dir.path(), lines)});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("set.c02"));
    QCOMPARE(filesIn(dir.filePath("out")), QStringList{"set.c02"});
}

QTEST_GUILESS_MAIN(TestWace)
#include "tst_wace.moc"
