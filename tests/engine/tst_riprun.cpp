// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rip run's paths with a stand-in archiver: complete, cancel, zip error, stop.
#include "engine/placementrules.h"
#include "engine/queuefiller.h"
#include "engine/riprun.h"
#include "scriptedhost.h"
#include "testfiles.h"
#include "zipreader.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Another text of the same size in the same file, its times set back: only the status-change time tells.
void rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    struct stat st
    {
    };
    QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0 && st.st_size == bytes.size());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size());
    file.close();
    const timespec times[2]{st.st_atim, st.st_mtim};
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
}

// One release on disk with its folders, settings and queue.
struct Bench
{
    QTemporaryDir dir;
    RipSettings settings;
    RipState state;
    ScriptedHost host;
    Queue queue;
    QMap<QString, QByteArray> queued;

    Bench()
    {
        for (const char *folder : {"bin", "data", "tmp", "rips"})
            QDir(dir.path()).mkdir(QString::fromLatin1(folder));
        const QString fake = QCoreApplication::applicationDirPath() + QStringLiteral("/fake_archiver");
        QFile::link(fake, path("bin/wrar"));
        QFile::link(fake, path("bin/wace"));
        settings.tdrive = path("tmp");
        settings.riptodir = path("rips/");
        settings.dnumber = 1;
        qputenv("VARKO_FAKE_ARCHIVER_LOG", path("archiver.log").toUtf8());
        archiver("volumes=2");
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    void archiver(const QByteArray &words) { qputenv("VARKO_FAKE_ARCHIVER", words); }
    void add(const QString &name, const QByteArray &bytes)
    {
        queued.insert(name, bytes);
        QueueFiller(queue, settings).addDropped({makeFile(path("rel/" + name), bytes)}, {});
    }
    // A sparse file: `kb` KB by its length, nothing on disk.
    void addSparse(const QString &name, qint64 kb)
    {
        QFile::resize(makeFile(path("rel/" + name), QByteArray()), kb * 1024);
        QueueFiller(queue, settings).addDropped({path("rel/" + name)}, {});
    }
    void addRelease()
    {
        add(QStringLiteral("file_id.diz"), QByteArray(25, ' ') + "xx/xx\r\nTest release\r\n");
        add(QStringLiteral("rel.nfo"), "info");
        add(QStringLiteral("data.bin"), QByteArray(5000, 'd'));
    }
    RipRun::Outcome run(int step = 3)
    {
        RipRun rip(queue, settings, state, host, step, {path("data"), {path("bin")}});
        return rip.run();
    }
    QStringList zips() const { return QDir(dir.filePath("rips")).entryList(QDir::Files); }
    QStringList workFiles() const { return QDir(dir.filePath("tmp/~Varko01")).entryList(QDir::Files); }
    bool queuedUntouched() const
    {
        for (auto it = queued.cbegin(); it != queued.cend(); ++it)
            if (readFile(path("rel/" + it.key())) != it.value())
                return false;
        return true;
    }
};

} // namespace

class TestRipRun : public QObject
{
    Q_OBJECT

private slots:
    void complete_data()
    {
        QTest::addColumn<QByteArray>("archiver");
        QTest::addColumn<int>("rarace");
        QTest::addColumn<int>("step");
        QTest::addColumn<QStringList>("zips");
        QTest::addColumn<QStringList>("lastZip");
        QTest::addColumn<QString>("lastStamp");
        QTest::addColumn<QStringList>("warnings"); // any: the nfo rewritten once the first zip has its name
        const QStringList one{"rel.rar", "file_id.diz", "rel.nfo"};
        const QStringList two{"rel01.zip", "rel02.zip"};
        const QStringList nfoChanged{
            "rel.nfo changed while the zips were written: the zips may hold different versions"};
        QTest::newRow("rar, two floppies") << QByteArray("volumes=2") << 1 << 3 << two
                                           << QStringList{"rel.r00", "file_id.diz"} << "02/02" << QStringList{};
        QTest::newRow("ace, three") << QByteArray("volumes=3") << 0 << 3
                                    << QStringList{"rel01.zip", "rel02.zip", "rel03.zip"}
                                    << QStringList{"rel.c01", "file_id.diz"} << "03/03" << QStringList{};
        QTest::newRow("step 0: no number, 01/01")
            << QByteArray("volumes=1") << 1 << 0 << QStringList{"rel.zip"} << one << "01/01" << QStringList{};
        QTest::newRow("one volume of a split set")
            << QByteArray("volumes=1") << 1 << 3 << QStringList{"rel.zip"} << one << "01/01" << QStringList{};
        QTest::newRow("nfo rewritten between the zips, same size and time")
            << QByteArray("volumes=2") << 1 << 3 << two << QStringList{"rel.r00", "file_id.diz"} << "02/02"
            << nfoChanged;
    }
    void complete()
    {
        QFETCH(QByteArray, archiver);
        QFETCH(int, rarace);
        QFETCH(int, step);
        QFETCH(QStringList, zips);
        QFETCH(QString, lastStamp);
        QFETCH(QStringList, warnings);
        Bench b;
        b.settings.rarace = static_cast<qint16>(rarace);
        b.settings.zcomment = 1;
        b.settings.nfo1st = 1;
        b.addRelease();
        b.archiver(archiver);
        bool rewrite = !warnings.isEmpty();
        b.host.onEvents = [&] {
            if (rewrite && QFile::exists(b.path("rips/" + zips.first()))) {
                rewriteInPlace(b.path("rel/rel.nfo"), "INFO");
                b.queued.insert(QStringLiteral("rel.nfo"), "INFO");
                rewrite = false;
            }
        };
        RipRun rip(b.queue, b.settings, b.state, b.host, step, {b.path("data"), {b.path("bin")}});
        rip.setZipComment(QStringLiteral("Greetings"));
        QCOMPARE(rip.run(), warnings.isEmpty() ? RipRun::Outcome::Complete : RipRun::Outcome::CompleteWithWarnings);
        QCOMPARE(rip.result().warnings, warnings);

        // What each zip holds is the zip stage's; here the last one, named and stamped by the run.
        QCOMPARE(b.zips(), zips);
        const ZipContents last = readZip(b.path("rips/" + zips.last()));
        QTEST(last.names, "lastZip");
        QCOMPARE(last.comment, QStringLiteral("Greetings"));
        QCOMPARE(last.entry("file_id.diz"), QByteArray(25, ' ') + lastStamp.toUtf8() + "\r\nTest release\r\n");
        QCOMPARE(readFile(b.path("data/ripfiles.txt")), (b.path("rel/data.bin") + "\r\n").toUtf8());
        // The counter, and the speed beside it once measured.
        QCOMPARE(b.host.totalsTexts.filter(QStringLiteral(" of ")).first().section(QStringLiteral(" - "), 0, 0),
                 QStringLiteral(" 1 of %1").arg(zips.size()));
        QCOMPARE(b.host.sounds, 1);
        QCOMPARE(b.host.window, QStringList({"minimise", "restore"}));
        QVERIFY(!b.state.ripInProgress && !b.host.busy);
        QVERIFY(b.queuedUntouched());
    }

    // Stored zips are made while the archiver writes on. Whatever it says of
    // its count, or does to a volume it had finished, the zips hold the
    // volumes as they are at its end, numbered by what it wrote; a failed
    // archiver leaves nothing in the rip-to folder.
    void zipsWhileArchiving_data()
    {
        QTest::addColumn<QByteArray>("archiver");
        QTest::addColumn<QStringList>("volumes"); // each zip's volume's first line; none: no set
        QTest::addColumn<RipRun::Outcome>("outcome");
        using enum RipRun::Outcome;
        const QStringList four{"volume 1 of 4", "volume 2 of 4", "volume 3 of 4", "volume 4 of 4"};
        QStringList again = four;
        again[1] += QStringLiteral(" again");
        // clang-format off
        QTest::newRow("count said") << QByteArray("volumes=4 says=4 pause=60") << four << Complete;
        QTest::newRow("count not said, other words") << QByteArray("volumes=4 pause=60 chatty") << four << Complete;
        QTest::newRow("fewer said than written") << QByteArray("volumes=4 says=3 pause=60") << four << Complete;
        QTest::newRow("more said than written") << QByteArray("volumes=4 says=9 pause=60") << four << Complete;
        QTest::newRow("a finished volume written again") << QByteArray("volumes=4 says=4 pause=60 again=2") << again << Complete;
        QTest::newRow("the archiver fails") << QByteArray("volumes=4 says=4 pause=60 exit=2") << QStringList{} << Failed;
        // Closed once three zips are whole beside their names: the archiver is ended, they go with their volumes.
        QTest::newRow("stopped while it writes") << QByteArray("volumes=4 says=4 wait") << QStringList{} << Cancelled;
        // clang-format on
    }
    void zipsWhileArchiving()
    {
        QFETCH(QByteArray, archiver);
        QFETCH(QStringList, volumes);
        QFETCH(RipRun::Outcome, outcome);
        Bench b;
        b.settings.zipcomp = 0;
        b.settings.zcomment = 1;
        b.addRelease();
        b.archiver(archiver);
        int begun = 0; // zips seen beside their names while the archiver wrote
        b.host.onStopAsked = [&] {
            begun = std::max(begun, int(b.zips().size()));
            if (outcome == RipRun::Outcome::Cancelled && begun == 3)
                b.state.ripInProgress = false;
        };
        RipRun rip(b.queue, b.settings, b.state, b.host, 3, {b.path("data"), {b.path("bin")}});
        rip.setZipComment(QStringLiteral("Greetings"));
        QCOMPARE(rip.run(), outcome);
        QVERIFY(begun > 0);
        const QStringList zips = b.zips(); // and nothing else
        QCOMPARE(zips.size(), volumes.size());
        for (int i = 0; i < zips.size(); ++i) {
            const ZipContents zip = readZip(b.path("rips/" + zips.at(i)));
            QCOMPARE(zip.entry(zip.names.value(0)).split('\n').value(0), volumes.at(i).toUtf8());
            QCOMPARE(zip.entry("file_id.diz").mid(25, 5),
                     QStringLiteral("%1/04").arg(i + 1, 2, 10, QChar(u'0')).toUtf8());
            QCOMPARE(zip.comment, QStringLiteral("Greetings"));
        }
        QVERIFY(!QFileInfo::exists(b.path("tmp/~Varko01")));
        QVERIFY(b.queuedUntouched());
        // What else the archiver prints reaches the host, not taken for a count.
        QCOMPARE(b.host.notes.filter(QStringLiteral("wrar: ")),
                 archiver.contains("chatty") ? QStringList{"wrar: Creating rel.rar"} : QStringList{});
    }

    void overNinetyNine()
    {
        Bench b;
        b.addRelease();
        b.addSparse(QStringLiteral("big.iso"), 60000);
        b.state.over99 = true; // 60 MB in half-megabyte volumes
        b.host.baseName = QStringLiteral("big");
        b.archiver("volumes=3");
        QCOMPARE(b.run(1), RipRun::Outcome::Complete);
        QCOMPARE(b.host.baseNameLimit, 5);
        QCOMPARE(b.zips(), QStringList({"big001.zip", "big002.zip", "big003.zip"}));
        QCOMPARE(readZip(b.path("rips/big002.zip")).names.first(), QStringLiteral("big.002"));
        QVERIFY(readZip(b.path("rips/big003.zip")).entry("file_id.diz").contains("003/003\r\n"));
        QVERIFY(readFile(b.path("archiver.log")).contains("~Varko01/big.001\n"));
    }

    void cancelPaths_data()
    {
        // clang-format off
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("workFolderMade");
        QTest::newRow("Cancel at the diz warning") << "nodiz" << "No file_id.diz in Queue" << false;
        QTest::newRow("empty base name") << "noname" << "" << false;
        QTest::newRow("more than 999 files") << "huge"
                                             << "Can't have more than 999 files in the set\rRaise the achive size, or "
                                                "choose a source with a smaller size" << false;
        QTest::newRow("Cancel at the folder question") << "folder" << "Folder found, save paths?" << false;
        // clang-format on
    }
    void cancelPaths()
    {
        QFETCH(QString, situation);
        QFETCH(QString, message);
        Bench b;
        b.add(QStringLiteral("data.bin"), "data");
        if (situation != u"nodiz")
            b.add(QStringLiteral("file_id.diz"), "xx/xx");
        b.host.answers[QStringLiteral("No file_id.diz in Queue")] = {Message::Answer::Cancel};
        b.host.answers[QStringLiteral("Folder found, save paths?")] = {Message::Answer::Cancel};
        if (situation == u"noname")
            b.host.baseName.clear();
        if (situation == u"huge")
            b.addSparse(QStringLiteral("huge.bin"), 600000);
        if (situation == u"folder") {
            makeFile(b.path("rel/sub/inner"), 10);
            QueueFiller(b.queue, b.settings).addDropped({b.path("rel/sub")}, {});
        }

        QCOMPARE(b.run(1), RipRun::Outcome::Cancelled);
        QCOMPARE(b.host.askedTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(b.host.progressText, QStringLiteral("0%"));
        QCOMPARE(b.host.totals, QStringLiteral(" 3 - 10KB"));
        QVERIFY(!b.state.ripInProgress && !b.host.busy);
        QTEST(QFileInfo(b.path("tmp/~Varko01")).isDir(), "workFolderMade");
        QVERIFY(b.zips().isEmpty());
        QCOMPARE(b.host.sounds, 0);
        QVERIFY(b.queuedUntouched());
    }

    void folderQuestion_data()
    {
        QTest::addColumn<QList<Message::Answer>>("answers");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("No asks again at the second folder")
            << QList<Message::Answer>{Message::Answer::No, Message::Answer::No} << 2 << "";
        QTest::newRow("Yes switches paths on for good") << QList<Message::Answer>{Message::Answer::Yes} << 1 << "/*";
    }
    void folderQuestion()
    {
        QFETCH(QList<Message::Answer>, answers);
        QFETCH(int, asked);
        QFETCH(QString, suffix);
        Bench b;
        b.add(QStringLiteral("file_id.diz"), "xx/xx");
        makeFile(b.path("rel/one/a"), 10);
        makeFile(b.path("rel/two/b"), 10);
        QueueFiller(b.queue, b.settings).addDropped({b.path("rel/one"), b.path("rel/two")}, {});
        b.host.answers[QStringLiteral("Folder found, save paths?")] = answers;
        QCOMPARE(b.run(), RipRun::Outcome::Complete);
        QCOMPARE(b.host.asked.size(), asked);
        QCOMPARE(b.host.asked.first(), Message::folderFound());
        QCOMPARE(QString::fromUtf8(readFile(b.path("data/ripfiles.txt"))),
                 b.path("rel/one") + suffix + "\r\n" + b.path("rel/two") + suffix + "\r\n");
        QCOMPARE(b.settings.savepaths, suffix.isEmpty() ? 0 : 1);
        QCOMPARE(b.host.changed.contains(SettingKey::Savepaths), !suffix.isEmpty());
        QCOMPARE(readFile(b.path("archiver.log")).contains("-r0\n"), !suffix.isEmpty());
    }

    void noDizWarningSwitchedOff()
    {
        Bench b;
        b.settings.warnings = 0;
        b.add(QStringLiteral("data.bin"), "data");
        QCOMPARE(b.run(), RipRun::Outcome::Complete);
        QVERIFY(b.host.asked.isEmpty());
        QCOMPARE(readZip(b.path("rips/rel01.zip")).names, QStringList{"rel.rar"});
    }

    void workFolderCounter()
    {
        Bench b;
        b.addRelease();
        makeFile(b.path("tmp/~Varko01/left.rar"), "from a stopped run");
        QCOMPARE(b.run(), RipRun::Outcome::Complete);
        QVERIFY(readFile(b.path("archiver.log")).contains("/~Varko02/rel.rar\n"));
        QVERIFY(!QFileInfo::exists(b.path("tmp/~Varko02")));
        QCOMPARE(b.workFiles(), QStringList{"left.rar"});
    }

    void zippingOff()
    {
        Bench b;
        b.settings.zip = 0;
        b.addRelease();
        b.archiver("volumes=3");
        const QString totals = b.host.totals;
        QCOMPARE(b.run(), RipRun::Outcome::Complete);
        QCOMPARE(b.zips(), QStringList({"rel.r00", "rel.r01", "rel.rar"}));
        QVERIFY(!QFileInfo::exists(b.path("tmp/~Varko01")));
        // The archiver's volume may be counted while it writes; no zip is, and the panel ends as it was.
        QCOMPARE(b.host.totalsTexts.filter(QStringLiteral(" of ")), QStringList());
        QCOMPARE(b.host.totals, totals);
        // With zipping off the diz and the nfo are archive rows like any other.
        QCOMPARE(readFile(b.path("data/ripfiles.txt")).count("\r\n"), 3);
    }

    void zipErrors_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("zipcomp");
        QTest::addColumn<QStringList>("zips");
        QTest::addColumn<QStringList>("left"); // a volume taken over by its zip is given back
        const QStringList both{"rel.r00", "rel.rar"};
        // clang-format off
        QTest::newRow("a zip row vanished") << "vanished" << 3 << QStringList{} << both;
        QTest::newRow("a zip row vanished, stored") << "vanished" << 0 << QStringList{} << both;
        QTest::newRow("abort in the middle of zip 2") << "abort" << 3 << QStringList{"rel01.zip"} << QStringList{"rel.r00"};
        QTest::newRow("abort in the middle of zip 2, stored") << "abort" << 0 << QStringList{"rel01.zip"} << QStringList{"rel.r00"};
        QTest::newRow("rip-to folder missing") << "ripto" << 3 << QStringList{} << both;
        // clang-format on
    }
    void zipErrors()
    {
        QFETCH(QString, fault);
        QFETCH(int, zipcomp);
        QFETCH(QStringList, zips);
        Bench b;
        b.settings.layer = 1;
        b.settings.zipcomp = static_cast<qint16>(zipcomp);
        b.addRelease();
        if (fault == u"vanished")
            QFile::remove(b.path("rel/rel.nfo"));
        if (fault == u"ripto")
            b.settings.riptodir = b.path("rips/not/there/");
        if (fault == u"abort") {
            b.add(QStringLiteral("big.bin"), QByteArray(3 * 1024 * 1024, 'b'));
            PlacementRules::placeInZip(b.queue, 3);
            b.host.onEvents = [&] { b.state.zipAbortRequested = b.host.totals.startsWith(QStringLiteral(" 2 of 2")); };
        }
        QCOMPARE(b.run(), RipRun::Outcome::Failed);
        QCOMPARE(b.host.asked.size(), 1);
        const Message shown = b.host.asked.first();
        QVERIFY(shown.text.startsWith(QStringLiteral("Zip errror - ")));
        QVERIFY(shown.text != QStringLiteral("Zip errror -  0"));
        QCOMPARE(shown.title, QStringLiteral("Varko 2000 error"));
        QCOMPARE(shown.icon, Message::Icon::Exclamation);
        if (fault == u"abort")
            QCOMPARE(shown.text, QStringLiteral("Zip errror -  32"));
        QCOMPARE(b.zips(), zips);
        QTEST(b.workFiles(), "left");
        QCOMPARE(b.host.window, QStringList({"hide", "show", "shown opaque"}));
        QCOMPARE(b.host.progressText, QStringLiteral("0%"));
        QVERIFY(!b.state.ripInProgress && !b.state.zipAbortRequested);
        QVERIFY(fault == u"vanished" || b.queuedUntouched());
    }

    // The window's Close clears RipInProgress while the archiver works: the run ends it and reports a stop.
    void closeStopsArchiver()
    {
        Bench b;
        b.addRelease();
        b.archiver("volumes=2 wait");
        QTimer close;
        connect(&close, &QTimer::timeout,
                [&] { b.state.ripInProgress = !readFile(b.path("archiver.log")).contains("pid "); });
        close.start(20);
        RipRun rip(b.queue, b.settings, b.state, b.host, 3, {b.path("data"), {b.path("bin")}});
        QCOMPARE(rip.run(), RipRun::Outcome::Cancelled);
        QVERIFY(rip.result().stopped && !rip.result().error.isError());
        QCOMPARE(QDir(b.path("tmp")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries) + b.zips(), QStringList());
    }

    void notStarted()
    {
        Bench b;
        QCOMPARE(b.run(), RipRun::Outcome::NotStarted);
        b.addRelease();
        b.state.ripInProgress = true;
        QCOMPARE(b.run(), RipRun::Outcome::NotStarted);
        QVERIFY(b.host.asked.isEmpty() && b.host.baseNameLimit == -1);
    }
};

QTEST_GUILESS_MAIN(TestRipRun)
#include "tst_riprun.moc"
