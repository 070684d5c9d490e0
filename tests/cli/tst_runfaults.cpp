// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a hostile user against the run: every fault ends with a clear message and no wrong set.
#include "engine/tempworkfolder.h"
#include "packdesk.h"
#include "settingsfiles.h"
#include "store/lineformat.h"
#include "testfiles.h"
#include "zipreader.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <sys/stat.h>

namespace {

/** One user's release, packed by a child `varko2000 --pack`. */
struct Desk : PackDesk
{
    // wace makes an ACE set; any other archiver stands in for wrar.
    explicit Desk(const QString &archiver)
        : PackDesk(archiver, archiver == u"wace" ? QStringLiteral("wace") : QStringLiteral("wrar"))
    {
        settings.zipcomp = 0;
        rows << makeFile(path("rel/file_id.diz"), QByteArray("xx/xx\r\n")) << makeFile(path("rel/data.bin"), 5000);
    }
    void start(const QStringList &extra, const QByteArray &fake)
    {
        PackDesk::start(QStringList{"--pack", "S", "--name", "myrel"} + extra, fake);
        QVERIFY(program.waitForStarted());
    }
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> bytes;
        for (const QString &row : rows)
            bytes.insert(row, QFileInfo(row).isFile() ? readFile(row) : QByteArray());
        return bytes;
    }
};

void makeFifo(const QString &path)
{
    ::mkfifo(QFile::encodeName(path).constData(), 0600);
}

} // namespace

class TestRunFaults : public QObject
{
    Q_OBJECT

private slots:
    void faults_data();
    void faults();
    void stopSignals_data();
    void stopSignals();
};

void TestRunFaults::faults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("archiver");
    QTest::addColumn<QByteArray>("fake");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QStringList>("rips");
    const QString wrar = QStringLiteral("wrar"), fake = QStringLiteral("fake_archiver");
    const QStringList none, one{"myrel.zip"};
    QTest::newRow("name in capitals, a queued file gone")
        << "upper" << fake << QByteArray("volumes=2") << 0 << "gone.bin: not found, left out"
        << QStringList{"myrel01.zip", "myrel02.zip"};
    QTest::newRow("--name before --pack") << "order" << fake << QByteArray("volumes=2") << 0 << "Zipping: volume 1 of 2"
                                          << QStringList{"myrel01.zip", "myrel02.zip"};
    QTest::newRow("archiver fails") << "" << fake << QByteArray("volumes=2 exit=2") << 1 << "exit status 2" << none;
    QTest::newRow("bad characters") << "badname" << fake << QByteArray() << 2 << "Invalid filename characters" << none;
    QTest::newRow("name too long") << "longname" << fake << QByteArray() << 2 << "at most 6 characters" << none;
    QTest::newRow("missing script") << "noscript" << fake << QByteArray() << 2 << "couldn't be loaded" << none;
    QTest::newRow("no name") << "noname" << fake << QByteArray() << 2 << "usage:" << none;
    QTest::newRow("ripfiles.txt cannot be written")
        << "list" << fake << QByteArray() << 1 << "ripfiles.txt could not be written" << none;
    QTest::newRow("archiver killed after its volumes")
        << "" << fake << QByteArray("volumes=3 killed") << 1
        << "The archiver failed: wrar was ended by signal 9 (SIGKILL)" << none;
    QTest::newRow("archiver writes nothing")
        << "" << fake << QByteArray("none exit=0") << 1 << "The archiver failed: wrar wrote no volume" << none;
    QTest::newRow("old zips, no --replace")
        << "old" << wrar << QByteArray() << 1 << "myrel01.zip and 1 more zips of this set already exist in"
        << QStringList{"myrel01.zip", "myrel02.zip"};
    QTest::newRow("old zip, the set's only name")
        << "oldone" << wrar << QByteArray() << 1 << "varko2000: Varko 2000: myrel.zip already exists in" << one;
    QTest::newRow("old zips, --replace") << "replace" << wrar << QByteArray() << 0 << "set complete" << one;
    QTest::newRow("rip-to missing") << "gone" << wrar << QByteArray() << 2 << "/gone/ does not exist" << none;
    QTest::newRow("rip-to relative") << "relative" << wrar << QByteArray() << 2 << "rips/ is not a full path" << none;
    QTest::newRow("rip-to empty") << "empty" << wrar << QByteArray() << 2 << "names no rip-to folder" << none;
    QTest::newRow("rip-to a link loop") << "loop" << wrar << QByteArray() << 2 << "symbolic links" << none;
    QTest::newRow("rip-to bad UTF-8") << "utf8" << wrar << QByteArray() << 2 << "is not valid UTF-8" << none;
    QTest::newRow("rip-to not writable") << "readonly" << wrar << QByteArray() << 1
                                         << "myrel.zip: Failure to create temporary file: Permission denied" << none;
    QTest::newRow("comment a FIFO") << "fifocomment" << wrar << QByteArray() << 2 << "is a named pipe" << none;
    QTest::newRow("comment /dev/zero") << "zerocomment" << wrar << QByteArray() << 2 << "/dev/zero: is a device"
                                       << none;
    QTest::newRow("script a FIFO") << "fifoscript" << wrar << QByteArray() << 2 << "is a named pipe" << none;
    QTest::newRow("options.ini a FIFO") << "fifooptions" << wrar << QByteArray() << 0 << "is a named pipe" << one;
    QTest::newRow("diz a FIFO") << "fifodiz" << wrar << QByteArray() << 1 << "file_id.diz: is a named pipe" << none;
    QTest::newRow("link to / in a queued folder")
        << "rootlink" << wrar << QByteArray() << 1 << "a symbolic link to a folder, not followed" << one;
    QTest::newRow("backslash in a name") << "backslash" << wrar << QByteArray() << 1 << "stored as a_b.txt" << one;
    QTest::newRow("backslash in a zip row's name")
        << "zipbackslash" << wrar << QByteArray() << 1 << "stored as my_rel.nfo" << one;
    QTest::newRow("rip-to holds a NUL") << "nul" << wrar << QByteArray() << 2 << "line 9 (riptodir): holds a NUL byte"
                                        << none;
    QTest::newRow("temporary folder holds NULs")
        << "tdrivenul" << wrar << QByteArray() << 2 << "line 1 (tdrive): holds a NUL byte" << none;
    QTest::newRow("options.ini holds a NUL")
        << "optionsnul" << wrar << QByteArray() << 2 << "options.ini: line 16 (riptodir): holds a NUL byte" << none;
    QTest::newRow("every work folder name taken")
        << "nowork" << wrar << QByteArray() << 1 << "~Varko01 to ~Varko99 all exist" << none;
    QTest::newRow("two diz rows: the last one's file")
        << "twodiz" << wrar << QByteArray() << 0 << "set complete" << one;
    QTest::newRow("'*' and a backslash in names, wace")
        << "acenames"
        << "wace" << QByteArray() << 1 << "stored as st_r (2).txt" << one;
}

// Every fault: its exit status and message, no volume or work folder left,
// nothing in the rip-to folder that looks like the new set, no source changed.
void TestRunFaults::faults()
{
    QFETCH(QString, fault);
    QFETCH(QString, archiver);
    QFETCH(QByteArray, fake);
    Desk desk(archiver);
    const QString loop = desk.path("loop");
    if (fault == u"list")
        QDir().mkpath(desk.path("home/ripfiles.txt"));
    if (fault == u"oldone")
        makeFile(desk.path("rips/myrel.zip"), QByteArray("old one"));
    if (fault == u"old" || fault == u"replace") {
        makeFile(desk.path("rips/myrel01.zip"), QByteArray("old one"));
        makeFile(desk.path("rips/myrel02.zip"), QByteArray("old two"));
        makeFile(desk.path("rips/other01.zip"), QByteArray("not this set"));
    }
    const QMap<QString, QString> ripTo{{"gone", desk.path("gone/")},
                                       {"relative", "rips/"},
                                       {"empty", ""},
                                       {"loop", loop + u'/'},
                                       {"utf8", desk.path("r\uFFFDp/")},
                                       {"readonly", "/sys/"},
                                       {"nul", desk.path("rips") + QChar::Null + QStringLiteral("/x/")}};
    // The part before the NUL exists: the set must not go there, nor to a fallback.
    if (fault == u"tdrivenul")
        desk.settings.tdrive = desk.path("tmp") + QChar::Null + QString(70000, u'x');
    if (fault == u"optionsnul") {
        QStringList options = defaultOptionsFile(desk.path("home"));
        options[15] = QStringLiteral("riptodir= ") + desk.path("rips") + QChar::Null + QStringLiteral("/x/");
        makeFile(desk.path("home/options.ini"), joinLines(options));
    }
    for (int counter = 1; fault == u"nowork" && counter <= 99; ++counter)
        QDir().mkpath(TempWorkFolder::name(desk.path("tmp"), counter));
    if (ripTo.contains(fault))
        desk.settings.riptodir = ripTo.value(fault);
    QFile::link(loop, loop);
    const QMap<QString, QString> comment{{"fifocomment", desk.path("comment")}, {"zerocomment", "/dev/zero"}};
    if (comment.contains(fault)) {
        desk.settings.zcomment = 1;
        desk.settings.comment = comment.value(fault);
    }
    makeFifo(desk.path("comment"));
    if (fault == u"fifoscript")
        makeFifo(desk.path("S"));
    if (fault == u"fifooptions")
        makeFifo(desk.path("home/options.ini"));
    if (fault == u"fifodiz") {
        QDir().mkpath(desk.path("rel2"));
        makeFifo(desk.path("rel2/file_id.diz"));
        desk.rows.first() = desk.path("rel2/file_id.diz");
    }
    if (fault == u"rootlink") {
        desk.settings.savepaths = 1;
        makeFile(desk.path("rel/tree/kept.txt"), QByteArray("kept"));
        QFile::link(QStringLiteral("/"), desk.path("rel/tree/root"));
        desk.rows << desk.path("rel/tree");
    }
    if (fault == u"backslash")
        desk.rows << makeFile(desk.path("rel/a\\b.txt"), QByteArray("name"));
    if (fault == u"zipbackslash")
        desk.rows << makeFile(desk.path("rel/my\\rel.nfo"), QByteArray("nfo"));
    if (fault == u"acenames")
        desk.rows << makeFile(desk.path("rel/st*r.txt"), QByteArray("star"))
                  << makeFile(desk.path("rel/st\\r.txt"), QByteArray("bs"));
    if (fault == u"twodiz")
        desk.rows << makeFile(desk.path("rel/nfo/file_id.diz"), QByteArray("xx/xx second\r\n"));
    if (fault == u"upper")
        desk.rows << desk.path("rel/gone.bin");
    const QMap<QString, QByteArray> before = desk.snapshot();

    const QMap<QString, QStringList> commandLines{{"replace", {"--pack", "S", "--name", "myrel", "--replace"}},
                                                  {"upper", {"--pack", "S", "--name", "MyRel"}},
                                                  {"order", {"--name", "myrel", "--pack", "S"}},
                                                  {"badname", {"--pack", "S", "--name", "my_rel"}},
                                                  {"longname", {"--pack", "S", "--name", "sevenxx"}},
                                                  {"noscript", {"--pack", "nothing.v2k", "--name", "a"}},
                                                  {"noname", {"--pack", "S"}}};
    desk.PackDesk::start(commandLines.value(fault, {"--pack", "S", "--name", "myrel"}), fake);
    QVERIFY(desk.program.waitForStarted());
    const QString told = desk.finish();
    QFETCH(QString, said);
    QCOMPARE(desk.program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(told.contains(said), qPrintable(told));
    QTEST(desk.program.exitCode(), "status");
    QFETCH(QStringList, rips);
    if (fault == u"old" || fault == u"replace")
        rips << "other01.zip";
    QCOMPARE(desk.files("rips"), rips);
    // The work folders already there are some other run's: they stay, and no new one joins them.
    QCOMPARE(desk.files("tmp").size(), fault == u"nowork" ? 99 : 0);
    QCOMPARE(desk.snapshot(), before);
    QVERIFY(!desk.files("home").filter(QStringLiteral(".zip")).size());
    if (fault == u"old" || fault == u"oldone")
        QCOMPARE(readFile(desk.path(fault == u"old" ? "rips/myrel01.zip" : "rips/myrel.zip")), QByteArray("old one"));
    else if (rips.contains(QStringLiteral("myrel.zip")))
        QCOMPARE(readZip(desk.path("rips/myrel.zip")).names.first(),
                 desk.settings.rarace == 1 ? "myrel.rar" : "myrel.ace");
    if (fault == u"twodiz")
        QCOMPARE(readZip(desk.path("rips/myrel.zip")).entry("file_id.diz"), QByteArray("01/01 second\r\n"));
}

void TestRunFaults::stopSignals_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("whileZipping");
    QTest::newRow("SIGINT while the archiver works") << int(SIGINT) << false;
    QTest::newRow("SIGHUP while the archiver works") << int(SIGHUP) << false;
    QTest::newRow("SIGTERM while zipping") << int(SIGTERM) << true;
}

// A signal ends the archiver, removes the work folder and the zip being
// written, and the program exits 128 + the signal.
void TestRunFaults::stopSignals()
{
    QFETCH(int, signal);
    QFETCH(bool, whileZipping);
    // Zipping: the real archiver's 60 volumes of noise, deflated, take long
    // enough for the signal to come after the first zip; before, the stand-in
    // waits for its stop.
    Desk desk(whileZipping ? QStringLiteral("wrar") : QStringLiteral("fake_archiver"));
    QByteArray noise(whileZipping ? 80 * 1000 * 1000 : 0, Qt::Uninitialized);
    QRandomGenerator(9).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    // Four bits of noise a byte: volumes the zip stage must deflate, not store, so it lasts.
    for (char &byte : noise)
        byte = char(byte & 0x0f);
    desk.rows << makeFile(desk.path("rel/noise.bin"), noise);
    desk.settings.zipcomp = 5; // the slowest level: the signal comes well before the last zip
    // An old set the user agreed to replace: none of it may stay beside the new zips made so far.
    const QString oldZip = desk.path("rips/myrel50.zip");
    if (whileZipping)
        makeFile(oldZip, QByteArray("old fifty"));
    desk.start(whileZipping ? QStringList{"--replace"} : QStringList{}, "volumes=3 wait");
    const auto midRun = [&] {
        return whileZipping ? desk.files("rips").contains(QStringLiteral("myrel01.zip"))
                            : readFile(desk.path("archiver.log")).contains("pid ");
    };
    QTRY_VERIFY_WITH_TIMEOUT(midRun(), 60000);
    ::kill(static_cast<pid_t>(desk.program.processId()), signal);
    const QString told = desk.finish();
    QCOMPARE(desk.program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(desk.program.exitCode() == 128 + signal, qPrintable(told));
    QVERIFY2(told.contains(QStringLiteral("stopped by signal")), qPrintable(told));
    QCOMPARE(desk.files("tmp"), QStringList());
    QCOMPARE(desk.files("rips").filter(QRegularExpression(QStringLiteral("\\.zip\\."))), QStringList());
    QVERIFY2(!QFile::exists(oldZip), qPrintable(told + desk.files("rips").join(u' ')));
    if (!whileZipping) {
        const QByteArray log = readFile(desk.path("archiver.log"));
        const pid_t archiver = log.mid(log.indexOf("pid ") + 4).trimmed().toInt();
        QTRY_VERIFY(::kill(archiver, 0) != 0
                    || readFile(QStringLiteral("/proc/%1/stat").arg(archiver)).contains(") Z "));
    }
}

QTEST_GUILESS_MAIN(TestRunFaults)
#include "tst_runfaults.moc"
