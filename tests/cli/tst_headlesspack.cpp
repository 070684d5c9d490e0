// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — headless packing as a user runs it: the program, a script, a name, an exit status,
// and the set it makes opened by programs we did not write.
#include "archivertestkit.h"
#include "packdesk.h"
#include "testfiles.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

/** A user's folders; run() packs `rows` and keeps what the program said and its exit status. */
struct Packer : PackDesk
{
    explicit Packer(const QString &archiver, const QString &as = QStringLiteral("wrar"))
        : PackDesk(archiver, as)
    {
    }

    /** `fileLimit` > 0 caps the size of every file the program and its archiver write. */
    QProcess::ExitStatus run(const QStringList &arguments, const QStringList &queued, const QByteArray &fake = {},
                             qint64 fileLimit = 0)
    {
        rows = queued;
        if (fileLimit > 0) {
            // A full disk without mounting one: writes past the limit fail with EFBIG
            // (the signal that would kill the writer is ignored), in the archiver too.
            program.setChildProcessModifier([fileLimit] {
                const rlimit limit{static_cast<rlim_t>(fileLimit), static_cast<rlim_t>(fileLimit)};
                setrlimit(RLIMIT_FSIZE, &limit);
                std::signal(SIGXFSZ, SIG_IGN);
            });
        }
        start(arguments, fake);
        said = finish();
        status = program.exitCode();
        return program.exitStatus();
    }

    QString said;
    int status = -1;
};

const QStringList kPack{"--pack", "S", "--name", "myrel"};

} // namespace

class TestHeadlessPack : public QObject
{
    Q_OBJECT

private slots:
    // The readers are installed with the build's packages: one missing is a broken set-up, not a pass.
    void initTestCase()
    {
        const QString missing = missingReaders({"unzip", "7z", "unace"});
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }

    void fullDisk_data()
    {
        // clang-format off
        QTest::addColumn<QString>("archiver");
        QTest::addColumn<QString>("as");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<int>("zipcomp");
        QTest::addColumn<QString>("said");
        // 100 KB stops an archiver in its first volume; 1.5 MB lets every volume
        // through (RAR 1,440,000 bytes, ACE 1,474,560) but not zip 1 with its 2 MB nfo.
        const qint64 archiverFull = 100 * 1000;
        const qint64 zipFull = 1500 * 1000;
        const QString zipError = QStringLiteral("Zip errror -  6");
        QTest::newRow("wrar cannot write its volumes") << "wrar" << "wrar" << archiverFull << 0 << "exit status 2";
        QTest::newRow("wace cannot write its volumes") << "wace" << "wace" << archiverFull << 0 << "exit status 2";
        QTest::newRow("deflated zip 1 cannot be written, stand-in") << "fake_archiver"
                                                                    << "wrar" << zipFull << 3 << zipError;
        QTest::newRow("stored zip 1 cannot be written, wrar") << "wrar" << "wrar" << zipFull << 0 << zipError;
        // clang-format on
    }

    // A disk that fills ends the run by its failed-archiver or zip-error path,
    // never touches a queued file and leaves no half-written file or work folder behind.
    void fullDisk()
    {
        QFETCH(QString, archiver);
        QFETCH(QString, as);
        QFETCH(qint64, limit);
        QFETCH(int, zipcomp);
        QFETCH(QString, said);
        Packer packer(archiver, as);
        packer.settings.nfo1st = 1;
        packer.settings.zipcomp = static_cast<qint16>(zipcomp);
        QByteArray noise(2 * 1000 * 1000, Qt::Uninitialized); // does not deflate below the limit
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        const QStringList rows{makeFile(packer.path("rel/file_id.diz"), QByteArray("xx/xx\r\n")),
                               makeFile(packer.path("rel/data.bin"), 3 * 1000 * 1000),
                               makeFile(packer.path("rel/myrel.nfo"), noise)};
        QMap<QString, QByteArray> queued;
        for (const QString &row : rows)
            queued.insert(row, readFile(row));

        QCOMPARE(packer.run(kPack, rows, "volumes=2", limit), QProcess::NormalExit);
        QCOMPARE(packer.status, 1);
        QVERIFY2(packer.said.contains(said) && packer.said.contains(QStringLiteral("the set was not made")),
                 qPrintable(packer.said));
        for (const QString &row : rows)
            QVERIFY2(readFile(row) == queued.value(row), qPrintable(row));
        QCOMPARE(packer.files("rips"), QStringList());
        // A headless run leaves nothing in the temporary folder, volumes included.
        QVERIFY(!QFileInfo::exists(packer.path("tmp/~Varko01")));
    }

    void readersOpenTheSet_data()
    {
        QTest::addColumn<QString>("archiver");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("zipcomp");
        QTest::addColumn<QStringList>("zips");
        QTest::addColumn<QString>("stamp");
        const QStringList three{"myrel01.zip", "myrel02.zip", "myrel03.zip"};
        QTest::newRow("wrar, half-megabyte volumes, stored zips") << "wrar" << 1 << 0 << three << "03/03";
        QTest::newRow("wrar, one archive") << "wrar" << 0 << 1 << QStringList{"myrel.zip"} << "01/01";
        QTest::newRow("wace, half-megabyte volumes") << "wace" << 1 << 5 << three << "03/03";
    }

    // The queued folder is packed with its paths (a headless run says Yes to the question);
    // unzip opens every zip, and 7-Zip or unace rebuild the folder byte for byte from the volumes.
    // The progress, asked for as JSON, is one object a line, rising, and ends saying the set is complete;
    // the set test then says its lines on standard error.
    void readersOpenTheSet()
    {
        QFETCH(QString, archiver);
        QFETCH(int, step);
        QFETCH(int, zipcomp);
        QFETCH(QStringList, zips);
        Packer packer(archiver, archiver);
        packer.settings.size = static_cast<qint16>(step);
        packer.settings.zipcomp = static_cast<qint16>(zipcomp);
        makeNoise(packer.path("rel/movie.bin"), 1200 * 1024);
        makeFile(packer.path("rel/docs/a/notes.txt"), QByteArray("line of text ").repeated(200));
        makeFile(packer.path("rel/docs/b/more.txt"), QByteArray());
        makeFile(packer.path("rel/tiny.txt"), QByteArray("x"));
        const QStringList rows{makeFile(packer.path("file_id.diz"), QByteArray(25, ' ') + "xx/xx\r\nEnd to end\r\n"),
                               packer.path("rel/movie.bin"), packer.path("rel/docs"), packer.path("rel/tiny.txt")};
        QCOMPARE(packer.run(kPack + QStringList{"--progress=json", "--test"}, rows), QProcess::NormalExit);
        QVERIFY2(packer.status == 0, qPrintable(packer.said));
        QCOMPARE(packer.files("rips"), zips);
        QList<QJsonObject> readings;
        for (const QByteArray &line : packer.program.readAllStandardOutput().split('\n')) {
            readings << QJsonDocument::fromJson(line).object();
            QVERIFY2(line.isEmpty() || !readings.last().isEmpty(), line.constData());
        }
        readings.removeLast(); // after the last line's end
        QCOMPARE(readings.last(), (QJsonObject{{"stage", "done"}, {"complete", true}}));
        for (qsizetype i = 1; i + 1 < readings.size(); ++i)
            QVERIFY(readings[i]["percent"].toInt() >= readings[i - 1]["percent"].toInt());

        for (const QString &zip : zips)
            QCOMPARE(runProcess("unzip", {"-o", "-q", packer.path("rips/" + zip), "-d", packer.path("out")}).exitCode,
                     0);
        QTEST(QString::fromUtf8(readFile(packer.path("out/file_id.diz")).mid(25, 5)), "stamp");
        const bool rar = archiver == u"wrar";
        QCOMPARE(extract(rar ? "7z" : "unace", packer.path(rar ? "out/myrel.rar" : "out/myrel.ace"), packer.path("x")),
                 QString());
        QCOMPARE(treeListing(packer.path("x")), treeListing(packer.path("rel")));
    }
};

QTEST_GUILESS_MAIN(TestHeadlessPack)
#include "tst_headlesspack.moc"
