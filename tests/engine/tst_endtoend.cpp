// Varko 2000 — a queue packed with the real archivers, the set opened by programs we did not write.
#include "archivertestkit.h"
#include "engine/placementrules.h"
#include "engine/queuefiller.h"
#include "engine/riprun.h"
#include "scriptedhost.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void packAndOpen_data()
    {
        QTest::addColumn<bool>("rar");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("savepaths");
        QTest::addColumn<int>("zipcomp");
        QTest::addColumn<int>("zips");
        QTest::newRow("rar, half-meg volumes, stored zips") << true << 1 << 0 << 0 << 3;
        QTest::newRow("rar with paths, deflated zips") << true << 1 << 1 << 3 << 3;
        QTest::newRow("rar, one file") << true << 0 << 0 << 1 << 1;
        QTest::newRow("ace, half-meg volumes") << false << 1 << 0 << 5 << 3;
        QTest::newRow("ace with paths") << false << 1 << 1 << 0 << 3;
    }
    void packAndOpen()
    {
        QFETCH(bool, rar);
        QFETCH(int, step);
        QFETCH(int, savepaths);
        QFETCH(int, zipcomp);
        QFETCH(int, zips);
        const QString reader = rar ? "7z" : "unace";
        if (!QFileInfo(toolPath(rar ? "wrar" : "wace")).isExecutable() || !havePeer("unzip") || !havePeer(reader))
            QSKIP("the archivers are not built, or unzip, 7z or unace is missing");

        QTemporaryDir dir;
        for (const char *folder : {"data", "tmp", "rips"})
            QDir(dir.path()).mkpath(QString::fromLatin1(folder));
        // 1.2 MB that does not compress, a folder of text, a small file, the diz.
        writeFile(dir.filePath("rel/movie.bin"), 1200 * 1024);
        for (int i = 0; i < 20; ++i)
            writeFile(dir.filePath(QStringLiteral("rel/docs/part%1/notes.txt%2").arg(i % 3).arg(i)),
                      QByteArray("line of text ").repeated(200 + i));
        writeFile(dir.filePath("rel/tiny.txt"), QByteArray("x"));
        writeFile(dir.filePath("rel/file_id.diz"), QByteArray(25, ' ') + "xx/xx\r\nEnd to end\r\n");
        const QStringList archived{dir.filePath("rel/movie.bin"), dir.filePath("rel/docs"), dir.filePath("rel/tiny.txt")};

        RipSettings settings;
        settings.rarace = rar ? 1 : 0;
        settings.savepaths = static_cast<qint16>(savepaths);
        settings.racomp = 0;
        settings.zipcomp = static_cast<qint16>(zipcomp);
        settings.dnumber = 1;
        settings.tdrive = dir.filePath("tmp");
        settings.riptodir = dir.filePath("rips/");
        Queue queue;
        QueueFiller(queue, settings).addDropped(archived + QStringList{dir.filePath("rel/file_id.diz")}, {});
        RipState state;
        ScriptedHost host;
        // With paths off the folder is packed as the folder itself, its files without their folders.
        host.answers[QStringLiteral("Folder found, save paths?")] = {Message::Answer::No};
        RipRun rip(queue, settings, state, host, step, {dir.filePath("data"), {QCoreApplication::applicationDirPath()}});
        QCOMPARE(rip.run(), RipRun::Outcome::Complete);
        QVERIFY(rip.archiverOutcome() && rip.archiverOutcome()->succeeded());
        QCOMPARE(settings.savepaths, savepaths);
        const QStringList made = filesIn(dir.filePath("rips"));
        QCOMPARE(made.size(), zips);

        for (const QString &zip : made)
            QCOMPARE(runProcess("unzip", {"-o", "-q", dir.filePath("rips/" + zip), "-d", dir.filePath("out")}).exitCode, 0);
        const QString stamp = QStringLiteral("%1/%1\r\n").arg(zips, 2, 10, QChar(u'0'));
        QVERIFY(contentOf(dir.filePath("out/file_id.diz")).contains(stamp.toUtf8()));
        QCOMPARE(extract(reader, dir.filePath(rar ? "out/rel.rar" : "out/rel.ace"), dir.filePath("extracted")), QString());
        makeExpected(archived, savepaths == 0, dir.filePath("expected"));
        QCOMPARE(treeDifference(dir.filePath("expected"), dir.filePath("extracted")), QString());
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
