// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — testing a finished set: sets packed by the program and its archivers, then broken one way at a time.
#include "archivertestkit.h"
#include "engine/sfvfile.h"
#include "store/ripscript.h"
#include "testfiles.h"
#include "version.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

void flipByte(const QString &path, qint64 at)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(at));
    char byte = 0;
    QVERIFY(file.getChar(&byte) && file.seek(at) && file.putChar(char(byte ^ 0x55)));
}

// PAR2 files of the base name "myrel" made by the PAR2 client over `target` in `folder`.
void par2Create(const QString &folder, const QString &target)
{
    const ProcessResult made =
        runProcess(QStringLiteral("par2"), {"create", "-q", "-r100", "-n1", "myrel.par2", target}, folder);
    QVERIFY2(made.exitCode == 0, made.out.constData());
}

void runZip(const QStringList &arguments)
{
    const ProcessResult zip = runProcess(QStringLiteral("zip"), arguments);
    QVERIFY2(zip.exitCode == 0, zip.err.constData());
}

} // namespace

class TestSetTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void corruption_data();
    void corruption();
    void sfvFile();
    void repair_data();
    void repair();
    void othersRecoveryKept();

private:
    void pack(const QString &archiver);
    QString copySet(const QString &archiver, bool withPar2);
    void corrupt(QString how, const QString &set);

    QTemporaryDir m_dir;
};

// One release packed twice, RAR and ACE, into four 1.44M volumes each, with
// the diz numbered, the nfo in the first zip and an .sfv.
void TestSetTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString missing = missingReaders({"zip", "cksfv"});
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    makeNoise(m_dir.filePath("rel/movie.bin"), 5 * 1000 * 1000, 1);
    makeNoise(m_dir.filePath("rel/notes.txt"), 20000, 2);
    makeFile(m_dir.filePath("rel/file_id.diz"), QByteArray("                         xx/xx\r\nA release\r\n"));
    makeFile(m_dir.filePath("rel/my.nfo"), QByteArray("nfo\r\n"));
    pack(QStringLiteral("rar"));
    pack(QStringLiteral("ace"));
}

void TestSetTest::pack(const QString &archiver)
{
    RipSettings settings;
    settings.tdrive = m_dir.filePath("tmp");
    settings.riptodir = m_dir.filePath(archiver);
    settings.rarace = archiver == u"rar" ? 1 : 0;
    settings.racomp = 0;
    settings.zipcomp = 0;
    settings.dnumber = 1;
    settings.nfo1st = 1;
    QDir().mkpath(settings.tdrive);
    QDir().mkpath(settings.riptodir);
    const QStringList rows{m_dir.filePath("rel/movie.bin"), m_dir.filePath("rel/notes.txt"),
                           m_dir.filePath("rel/file_id.diz"), m_dir.filePath("rel/my.nfo")};
    QVERIFY(writeScript(m_dir.filePath("s.v2k"), settings, rows).ok);
    qputenv("VARKO_HOME", m_dir.filePath("home").toUtf8());
    // Recovery files of an earlier set of the name, over zips of its names, go with those zips.
    const QString earlier = m_dir.filePath("earlier-" + archiver);
    makeNoise(earlier + "/myrel09.zip", 5000, 3);
    par2Create(earlier, QStringLiteral("myrel09.zip"));
    QMap<QString, QByteArray> stale;
    for (const QString &file : filesIn(earlier))
        if (file.endsWith(QLatin1String(".par2")))
            stale.insert(makeFile(QDir(settings.riptodir).filePath(file), readFile(earlier + u'/' + file)),
                         readFile(earlier + u'/' + file));
    // 30 %: enough to rebuild one of the four zips, not two.
    const ProcessResult run =
        runProcess(toolPath("varko2000"),
                   {"--pack", m_dir.filePath("s.v2k"), "--name", "myrel", "--sfv", "--par2", "30", "--test"});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY(run.out.contains("myrel: the set is whole (4 zips"));
    for (auto it = stale.cbegin(); it != stale.cend(); ++it)
        QVERIFY2(readFile(it.key()) != it.value(), qPrintable(it.key()));
    // The recovery files over the zips are what the PAR2 client takes; the corruption rows use the
    // zips alone, the repair rows take them back.
    const ProcessResult verified =
        runProcess(QStringLiteral("par2"), {"verify", "-q", QDir(settings.riptodir).filePath("myrel.par2")});
    QVERIFY2(verified.exitCode == 0, verified.out.constData());
    QDir().mkpath(settings.riptodir + QStringLiteral("-par2"));
    for (const QString &file : filesIn(settings.riptodir))
        if (file.endsWith(QLatin1String(".par2")))
            QVERIFY(QFile::rename(QDir(settings.riptodir).filePath(file), settings.riptodir + "-par2/" + file));
    QCOMPARE(filesIn(settings.riptodir).size(), 5);
}

void TestSetTest::corrupt(QString how, const QString &set)
{
    const QString zip2 = set + QStringLiteral("/myrel02.zip");
    if (how.startsWith(u"two left, ")) {
        QVERIFY(QFile::remove(set + "/myrel03.zip") && QFile::remove(set + "/myrel04.zip"));
        how.remove(0, 10);
    }
    if (how == u"zip missing") {
        QVERIFY(QFile::remove(set + "/myrel03.zip"));
    } else if (how == u"last zip missing") {
        QVERIFY(QFile::remove(set + "/myrel04.zip"));
    } else if (how == u"zip truncated") {
        QVERIFY(QFile::resize(zip2, 700000));
    } else if (how == u"byte flipped") {
        flipByte(zip2, 5000); // stored: inside the volume's data
    } else if (how == u"volume missing") {
        runZip({"-q", "-d", zip2, "myrel.r00"});
    } else if (how == u"diz out of order") {
        // In the first zip, where the test looks for the numbering first.
        makeFile(m_dir.filePath("diz/file_id.diz"), QByteArray("                         02/04\r\nA release\r\n"));
        runZip({"-q", "-j", set + "/myrel01.zip", m_dir.filePath("diz/file_id.diz")});
    } else if (how == u"diz text changed") {
        // Its own number kept, the zip rewritten whole, no .sfv: only the other copies tell.
        QVERIFY(QFile::remove(set + "/myrel.sfv"));
        makeFile(m_dir.filePath("diz/file_id.diz"), QByteArray("                         01/04\r\nA relaese\r\n"));
        runZip({"-q", "-j", set + "/myrel01.zip", m_dir.filePath("diz/file_id.diz")});
    } else if (how.startsWith(u"extra differs in ")) {
        // A file placed in every zip, one zip's copy another; no .sfv.
        QVERIFY(QFile::remove(set + "/myrel.sfv"));
        const QString odd = how.right(1);
        for (const QString n : {"1", "2", "3", "4"}) {
            makeFile(m_dir.filePath("extra/extra.txt"), n == odd ? QByteArray("another\r\n") : QByteArray("extra\r\n"));
            if (QFileInfo::exists(set + "/myrel0" + n + ".zip"))
                runZip({"-q", "-j", set + "/myrel0" + n + ".zip", m_dir.filePath("extra/extra.txt")});
        }
    } else if (how == u"sfv names a stranger") {
        QFile sfv(set + "/myrel.sfv");
        QVERIFY(sfv.open(QIODevice::Append) && sfv.write("myrel05.zip 0123ABCD\r\n") > 0);
    } else if (how == u"not a zip") {
        makeFile(zip2, QByteArray("just text\n"));
    } else if (how == u"three digits") {
        // ACE volumes are named alike in both numberings: only the names
        // inside tell base "myrel" with 001 from base "myrel0" with 01.
        QVERIFY(QFile::remove(set + "/myrel.sfv"));
        for (const char *n : {"1", "2", "3", "4"})
            QVERIFY(QFile::rename(set + "/myrel0" + n + ".zip", set + "/myrel00" + n + ".zip"));
    }
}

void TestSetTest::corruption_data()
{
    QTest::addColumn<QString>("archiver");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    // clang-format off
    QTest::newRow("zip missing") << "rar" << "zip missing" << "myrel" << 1 << "myrel03.zip: missing\n";
    QTest::newRow("last zip missing") << "ace" << "last zip missing" << "myrel01.zip" << 1 << "myrel04.zip: missing\n";
    QTest::newRow("zip truncated") << "rar" << "zip truncated" << "myrel" << 1 << "myrel02.zip: damaged or cut short";
    QTest::newRow("byte flipped, RAR") << "rar" << "byte flipped" << "myrel01.zip" << 1 << "myrel02.zip: myrel.r00: movie.bin fails its CRC";
    QTest::newRow("byte flipped, ACE") << "ace" << "byte flipped" << "myrel01.zip" << 1 << "myrel02.zip: myrel.c00: movie.bin fails its CRC";
    QTest::newRow("volume missing") << "rar" << "volume missing" << "myrel.sfv" << 1 << "myrel02.zip: no volume myrel.r00 inside; CRC";
    QTest::newRow("diz out of order") << "rar" << "diz out of order" << "myrel" << 1 << "myrel01.zip: file_id.diz: reads \"02/04\" where 01/04 belongs";
    QTest::newRow("diz text changed, number kept: the copy unlike the most") << "rar" << "diz text changed" << "myrel" << 1 << "myrel01.zip: file_id.diz differs from the other zips' copies\n";
    QTest::newRow("zip row differs in one zip") << "ace" << "extra differs in 3" << "myrel02.zip" << 1 << "myrel03.zip: extra.txt differs from the other zips' copies\n";
    QTest::newRow("zip row differs, two zips left: the second") << "rar" << "two left, extra differs in 1" << "myrel" << 1 << "myrel02.zip: extra.txt differs from the other zips' copies\n";
    QTest::newRow("sfv names a stranger") << "rar" << "sfv names a stranger" << "myrel.sfv" << 1 << "myrel.sfv: names myrel05.zip, which is not there";
    QTest::newRow("not a zip") << "ace" << "not a zip" << "myrel01.zip" << 1 << "myrel02.zip: not a zip";
    QTest::newRow("base name read from the volumes") << "ace" << "three digits" << "myrel002.zip" << 0 << "myrel: the set is whole (4 zips, 2 archived";
    QTest::newRow("path to nothing") << "rar" << "" << "nothing" << 2 << "nothing to test at";
    // clang-format on
}

// Each corruption in a copy of the set: the test names the zip and the
// fault, exits 1 (2 where no set lies), and changes no file of the set.
void TestSetTest::corruption()
{
    QFETCH(QString, archiver);
    QFETCH(QString, how);
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(QString, said);
    const QString set = copySet(archiver, false);
    corrupt(how, set);
    if (QTest::currentTestFailed())
        return;
    const QMap<QString, QByteArray> before = snapshot(set);

    const ProcessResult test = runProcess(toolPath("varko2000"), {"--test", set + u'/' + path});
    const QString output = QString::fromUtf8(test.out + test.err);
    QVERIFY2(output.contains(said), qPrintable(output));
    QCOMPARE(test.exitCode, status);
    QVERIFY(snapshot(set) == before);
    QDir(set).removeRecursively();
}

// The set in a folder of the current row's own, with its PAR2 files or without.
QString TestSetTest::copySet(const QString &archiver, bool withPar2)
{
    const QString set = m_dir.filePath(QStringLiteral("copy/") + QTest::currentDataTag());
    QDir().mkpath(set);
    QStringList folders{archiver};
    if (withPar2)
        folders << archiver + "-par2";
    for (const QString &from : folders)
        for (const QString &name : filesIn(m_dir.filePath(from)))
            QFile::copy(m_dir.filePath(from + u'/' + name), set + u'/' + name);
    return set;
}

void TestSetTest::repair_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("withPar2");
    QTest::addColumn<QString>("tested");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    // clang-format off
    QTest::newRow("zip missing") << "zip missing" << true << "\nrepairable with myrel.par2 (" << 0 << "Repaired myrel03.zip\n";
    QTest::newRow("byte flipped") << "byte flipped" << true << "\nrepairable with myrel.par2 (" << 0 << "Repaired myrel02.zip\n";
    QTest::newRow("two zips missing") << "two left, " << true << "\nnot repairable with myrel.par2 (" << 1 << "not repairable";
    QTest::newRow("no PAR2 files") << "zip missing" << false << "myrel03.zip: missing\n" << 2 << "no PAR2 files";
    // clang-format on
}

// The test tells whether the PAR2 files can mend the set; --repair mends it byte for byte and
// tests it again, or leaves every file as it was.
void TestSetTest::repair()
{
    QFETCH(QString, how);
    QFETCH(bool, withPar2);
    QFETCH(QString, tested);
    QFETCH(int, status);
    QFETCH(QString, said);
    const QString set = copySet(QStringLiteral("rar"), withPar2);
    const QMap<QString, QByteArray> whole = snapshot(set);
    corrupt(how, set);
    const QMap<QString, QByteArray> before = snapshot(set);

    const ProcessResult test = runProcess(toolPath("varko2000"), {"--test", set + "/myrel"});
    QVERIFY2(QString::fromUtf8(test.out).contains(tested), test.out.constData());
    QVERIFY(withPar2 || !test.out.contains("repairable"));
    QCOMPARE(test.exitCode, 1);

    const ProcessResult repair = runProcess(toolPath("varko2000"), {"--repair", set + "/myrel01.zip"});
    QVERIFY2(QString::fromUtf8(repair.out + repair.err).contains(said), (repair.out + repair.err).constData());
    QCOMPARE(repair.exitCode, status);
    if (status == 0)
        QVERIFY2(snapshot(set) == whole && repair.out.contains("myrel: the set is whole"), repair.out.constData());
    else
        QVERIFY(snapshot(set) == before);
    QDir(set).removeRecursively();
}

void TestSetTest::sfvFile()
{
    const QDateTime written(QDate(2026, 1, 2), QTime(3, 4, 5));
    QCOMPARE(SfvFile::text({{"a01.zip", 0xab}, {"a02.zip", 0xFFFFFFFF}}, written),
             QByteArray("; Varko 2000 v" VARKO_VERSION "\r\n; 2026-01-02 03:04:05\r\n"
                        "a01.zip 000000AB\r\na02.zip FFFFFFFF\r\n"));
    for (const char *archiver : {"rar", "ace"}) {
        const ProcessResult check =
            runProcess(QStringLiteral("cksfv"), {"-q", "-f", "myrel.sfv"}, m_dir.filePath(archiver));
        QVERIFY2(check.exitCode == 0, (check.out + check.err).constData());
    }
}

// PAR2 files of the set's name over other files are someone's own: kept, and none written over them.
void TestSetTest::othersRecoveryKept()
{
    const QString rips = m_dir.filePath("others");
    makeNoise(rips + "/myrel.mkv", 5000, 4);
    par2Create(rips, QStringLiteral("myrel.mkv"));
    const QMap<QString, QByteArray> before = snapshot(rips);
    QString script = QString::fromUtf8(readFile(m_dir.filePath("s.v2k")));
    script.replace(QRegularExpression(QStringLiteral("riptodir= [^\r\n]*")), "riptodir= " + rips + u'/');
    makeFile(m_dir.filePath("others.v2k"), script.toUtf8());
    const QStringList pack{"--pack", m_dir.filePath("others.v2k"), "--name", "myrel", "--replace"};
    const ProcessResult refused = runProcess(toolPath("varko2000"), pack + QStringList{"--par2", "10"});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("covers other files than this set's zips"), refused.err.constData());
    QCOMPARE(runProcess(toolPath("varko2000"), pack).exitCode, 0);
    const QMap<QString, QByteArray> after = snapshot(rips);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
}

QTEST_GUILESS_MAIN(TestSetTest)
#include "tst_settest.moc"
