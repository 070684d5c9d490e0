// Varko 2000 — wrar end to end: the rip run's command lines, the sets 7-Zip and The Unarchiver open.
#include "archivertestkit.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kOverhead = 29;   // marker, main header, end block with volume number
constexpr qint64 kHeaderBase = 32; // file header without its name

// Volume names of a set: NAME.rar, .r00 ... .r99, .s00 ...; or NAME.001, .002 ...
QStringList volumeNames(const QString &archive, int count)
{
    QStringList names;
    const QString stem = archive.chopped(3);
    for (int i = 0; i < count; ++i) {
        if (archive.endsWith(".001"))
            names << stem + QString::asprintf("%03d", i + 1);
        else
            names << stem + (i == 0 ? QString("rar") : QString::asprintf("%c%02d", 'r' + (i - 1) / 100, (i - 1) % 100));
    }
    names.sort();
    return names;
}

} // namespace

class TestWrar : public QObject
{
    Q_OBJECT

private slots:
    void helpAndVersion();
    void badCommandLine_data();
    void badCommandLine();
    void sets_data();
    void sets();
    void timesAndPermissions();
    void missingEntrySkipped();
    void unwritableFolder();
    void failureLeavesNoPartialSet();
    void interruptLeavesNoPartialSet();
    void ownVolumesLeftOut();
};

void TestWrar::helpAndVersion()
{
    const ProcessResult help = runProcess(toolPath("wrar"), {"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("Usage: wrar a -r0"));
    QVERIFY(help.out.contains("every level stores"));
    const ProcessResult version = runProcess(toolPath("wrar"), {"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith("wrar "));
}

void TestWrar::badCommandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no arguments") << QStringList{};
    QTest::newRow("ACE order") << QStringList{"a", "-r", "-y", "-m3", "OUT/set.rar", "@LIST"};
    QTest::newRow("volume switch without b") << QStringList{"a", "-r0", "-v1440", "-m3", "-y", "OUT/set.rar", "@LIST"};
    QTest::newRow("missing -y") << QStringList{"a", "-ep", "-m3", "OUT/set.rar", "@LIST"};
    QTest::newRow("zip archive") << QStringList{"a", "-ep", "-m3", "-y", "OUT/set.zip", "@LIST"};
}

void TestWrar::badCommandLine()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    const QString list = writeList(dir.path(), {dir.filePath("a.txt")});
    writeFile(dir.filePath("a.txt"), QByteArray("abc"));
    QDir().mkpath(dir.filePath("out"));
    args.replaceInStrings("OUT", dir.filePath("out")).replaceInStrings("@LIST", "@" + list);
    const ProcessResult run = runProcess(toolPath("wrar"), args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("Usage: wrar"));
    QVERIFY(filesIn(dir.filePath("out")).isEmpty());
}

void TestWrar::sets_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("paths");  // -r0 or -ep
    QTest::addColumn<qint64>("volumeBytes"); // 0: no volume switch
    QTest::addColumn<QString>("archive");
    QTest::addColumn<int>("volumes");
    QTest::addColumn<bool>("unar");      // The Unarchiver does not follow .001 names
    QTest::newRow("one archive, paths") << "mixed" << "-r0" << 0ll << "set.rar" << 1 << true;
    QTest::newRow("one archive, bare names") << "mixed" << "-ep" << 0ll << "set.rar" << 1 << true;
    QTest::newRow("one volume") << "mixed" << "-r0" << 1440000ll << "set.rar" << 1 << true;
    QTest::newRow("three volumes, paths") << "mixed" << "-r0" << 100000ll << "set.rar" << 3 << true;
    QTest::newRow("three volumes, bare names") << "mixed" << "-ep" << 100000ll << "set.rar" << 3 << true;
    QTest::newRow("file spanning volumes") << "spanning" << "-r0" << 1000ll << "set.rar" << 6 << true;
    QTest::newRow("file ending on a volume boundary") << "boundary" << "-ep" << 1000ll << "set.rar" << 2 << true;
    QTest::newRow("103 volumes: r99, then s00") << "volumes103" << "-ep" << 1000ll << "set.rar" << 103 << true;
    QTest::newRow(".001 names past 99") << "volumes103" << "-ep" << 1000ll << "set.001" << 103 << false;
}

void TestWrar::sets()
{
    QFETCH(QString, content);
    QFETCH(QString, paths);
    QFETCH(qint64, volumeBytes);
    QFETCH(QString, archive);
    QFETCH(int, volumes);
    QFETCH(bool, unar);
    QTemporaryDir dir;
    const QString src = dir.filePath("src"), out = dir.filePath("out"), expect = dir.filePath("expect");
    const QStringList lines = makeContent(content, src, volumeBytes, kOverhead, kHeaderBase);
    makeExpected(lines, paths == "-ep", expect);
    QDir().mkpath(out);
    QStringList args{"a", paths};
    if (volumeBytes > 0)
        args << QString("-v%1b").arg(volumeBytes);
    args << "-m3" << "-y" << out + u'/' + archive << "@" + writeList(dir.path(), lines);

    const ProcessResult run = runProcess(toolPath("wrar"), args);
    QVERIFY2(run.exitCode == 0, run.err.constData());

    // Only the volumes are left, every one but the last of exactly the size asked.
    const QStringList names = volumeNames(archive, volumes);
    QCOMPARE(filesIn(out), names);
    if (volumeBytes > 0) {
        QStringList byOrder = names;
        std::sort(byOrder.begin(), byOrder.end(), [](const QString &a, const QString &b) {
            return (a.endsWith(".rar") ? QString() : a) < (b.endsWith(".rar") ? QString() : b);
        });
        const QList<qint64> sizes = sizesOf(out, byOrder);
        for (int i = 0; i + 1 < sizes.size(); ++i)
            QCOMPARE(sizes[i], volumeBytes);
        QVERIFY(sizes.last() <= volumeBytes);
    }

    if (!havePeer("7z"))
        QSKIP("7z (p7zip-full) is not installed");
    const ProcessResult sevenZip = runProcess("7z", {"x", "-y", "-o" + dir.filePath("7z"), out + u'/' + archive});
    QVERIFY2(sevenZip.exitCode == 0, sevenZip.out.constData());
    QCOMPARE(treeDifference(expect, dir.filePath("7z")), QString());
    if (!unar)
        return;
    if (!havePeer("unar"))
        QSKIP("unar is not installed");
    const ProcessResult theUnarchiver = runProcess("unar", {"-q", "-D", "-o", dir.filePath("unar"), out + u'/' + archive});
    QVERIFY2(theUnarchiver.exitCode == 0, theUnarchiver.err.constData());
    QCOMPARE(treeDifference(expect, dir.filePath("unar")), QString());
}

void TestWrar::timesAndPermissions()
{
    if (!havePeer("7z") || !havePeer("unar"))
        QSKIP("7z or unar is not installed");
    QTemporaryDir dir;
    const QString file = dir.filePath("src/rel/private.txt");
    writeFile(file, QByteArray("secret"));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QFile::setPermissions(dir.filePath("src/rel"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                       | QFile::ReadGroup | QFile::ExeGroup);
    const QDateTime odd = QDateTime(QDate(2021, 3, 4), QTime(5, 6, 9, 123), Qt::UTC);
    setModified(file, odd);
    const QString list = writeList(dir.path(), {dir.filePath("src/rel/*")});
    QCOMPARE(runProcess(toolPath("wrar"), {"a", "-r0", "-m0", "-y", dir.filePath("t.rar"), "@" + list}).exitCode, 0);
    QCOMPARE(runProcess("7z", {"x", "-y", "-o" + dir.filePath("7z"), dir.filePath("t.rar")}).exitCode, 0);
    QCOMPARE(runProcess("unar", {"-q", "-D", "-o", dir.filePath("unar"), dir.filePath("t.rar")}).exitCode, 0);
    // 7-Zip reads the extra time field to 100 ns; The Unarchiver keeps to the 2-second DOS time.
    QCOMPARE(QFileInfo(dir.filePath("7z/rel/private.txt")).lastModified().toUTC(), odd);
    QCOMPARE(QFileInfo(dir.filePath("unar/rel/private.txt")).lastModified().toUTC(), odd.addMSecs(-1123));
    const auto mode = [](const QString &path) {
        struct stat st{};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    };
    for (const QString &reader : QStringList{"7z", "unar"}) {
        QCOMPARE(mode(dir.filePath(reader + "/rel/private.txt")), 0640);
        QCOMPARE(mode(dir.filePath(reader + "/rel")), 0750);
    }
}

void TestWrar::missingEntrySkipped()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("src/kept.txt"), QByteArray("kept"));
    const QString list = writeList(dir.path(), {dir.filePath("src/gone.txt"), dir.filePath("src/kept.txt")});
    const ProcessResult run = runProcess(toolPath("wrar"), {"a", "-ep", "-m3", "-y", dir.filePath("set.rar"), "@" + list});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.startsWith("wrar: "));
    QVERIFY(run.err.contains("gone.txt"));
    if (!havePeer("7z"))
        QSKIP("7z (p7zip-full) is not installed");
    QCOMPARE(runProcess("7z", {"x", "-y", "-o" + dir.filePath("x"), dir.filePath("set.rar")}).exitCode, 0);
    QCOMPARE(filesIn(dir.filePath("x")), QStringList{"kept.txt"});
}

void TestWrar::unwritableFolder()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"), QByteArray("abc"));
    const QString list = writeList(dir.path(), {dir.filePath("a.txt")});
    // root writes anywhere it may; /proc refuses new files even to root.
    QString folder = "/proc";
    if (::geteuid() != 0) {
        folder = dir.filePath("locked");
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    const ProcessResult run = runProcess(toolPath("wrar"), {"a", "-ep", "-v1000b", "-m3", "-y", folder + "/set.rar", "@" + list});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("set.rar"));
    QVERIFY(!QFileInfo::exists(folder + "/set.rar"));
}

void TestWrar::failureLeavesNoPartialSet()
{
    QTemporaryDir dir;
    const QStringList lines = makeContent("spanning", dir.filePath("src"));
    QDir().mkpath(dir.filePath("out/set.r02")); // the fourth volume cannot be created
    const ProcessResult run = runProcess(toolPath("wrar"), {"a", "-r0", "-v1000b", "-m3", "-y", dir.filePath("out/set.rar"),
                                                            "@" + writeList(dir.path(), lines)});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("set.r02"));
    QCOMPARE(filesIn(dir.filePath("out")), QStringList{"set.r02"});
}

void TestWrar::interruptLeavesNoPartialSet()
{
    QTemporaryDir dir;
    QFile big(dir.filePath("big.bin"));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(4000000000)); // sparse: nothing to write up front
    big.close();
    QDir().mkpath(dir.filePath("out"));
    QProcess wrar;
    wrar.start(toolPath("wrar"), {"a", "-ep", "-v10000000b", "-m0", "-y", dir.filePath("out/set.rar"),
                                  "@" + writeList(dir.path(), {big.fileName()})});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath("out/set.r00")), 20000);
    wrar.terminate(); // SIGTERM to this process
    QVERIFY(wrar.waitForFinished(20000));
    QCOMPARE(wrar.exitCode(), 2);
    QVERIFY(wrar.readAllStandardError().contains("interrupted"));
    QCOMPARE(filesIn(dir.filePath("out")), QStringList());
}

void TestWrar::ownVolumesLeftOut()
{
    // The set is written into the very folder it archives, over an older set.
    QTemporaryDir dir;
    writeFile(dir.filePath("rel/a.txt"), QByteArray("abc"));
    writeFile(dir.filePath("rel/set.rar"), QByteArray("old"));
    writeFile(dir.filePath("rel/set.r00"), QByteArray("old"));
    const QString list = writeList(dir.path(), {dir.filePath("rel/*")});
    const ProcessResult run = runProcess(toolPath("wrar"), {"a", "-r0", "-m3", "-y", dir.filePath("rel/set.rar"), "@" + list});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    if (!havePeer("7z"))
        QSKIP("7z (p7zip-full) is not installed");
    QCOMPARE(runProcess("7z", {"x", "-y", "-o" + dir.filePath("x"), dir.filePath("rel/set.rar")}).exitCode, 0);
    QCOMPARE(filesIn(dir.filePath("x/rel")), QStringList{"a.txt"});
}

QTEST_GUILESS_MAIN(TestWrar)
#include "tst_wrar.moc"
