// Varko 2000 — headless packing as a user runs it: the program, a script, a name, an exit status.
#include "ripscript.h"
#include "testfiles.h"
#include "zipreader.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestHeadlessPack : public QObject
{
    Q_OBJECT

private slots:
    void exitStatus_data();
    void exitStatus();
};

void TestHeadlessPack::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("archiver");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QStringList>("zips");
    const QStringList all{"myrel01.zip", "myrel02.zip"};
    QTest::newRow("complete set") << QStringList{"--pack", "S", "--name", "MyRel"} << QByteArray("volumes=2") << 0
                                  << "set complete" << all;
    QTest::newRow("name order free") << QStringList{"--name", "myrel", "--pack", "S"} << QByteArray("volumes=2") << 0
                                     << "volume 2 of 2" << all;
    QTest::newRow("archiver leaves nothing") << QStringList{"--pack", "S", "--name", "myrel"} << QByteArray("none") << 1
                                             << "the set was not made" << QStringList{};
    QTest::newRow("archiver fails") << QStringList{"--pack", "S", "--name", "myrel"} << QByteArray("volumes=2 exit=2") << 1
                                    << "exit status 2" << all;
    QTest::newRow("bad characters") << QStringList{"--pack", "S", "--name", "my_rel"} << QByteArray() << 2
                                    << "Invalid filename characters" << QStringList{};
    QTest::newRow("too long") << QStringList{"--pack", "S", "--name", "sevenxx"} << QByteArray() << 2
                              << "at most 6 characters" << QStringList{};
    QTest::newRow("missing script") << QStringList{"--pack", "nothing.v2k", "--name", "a"} << QByteArray() << 2
                                    << "couldn't be loaded" << QStringList{};
    QTest::newRow("no name") << QStringList{"--pack", "S"} << QByteArray() << 2 << "usage:" << QStringList{};
}

void TestHeadlessPack::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, archiver);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(QStringList, zips);
    QTemporaryDir dir;
    // The program looks for the archivers in its own folder first, so it runs
    // from a folder of its own beside the stand-in.
    QDir(dir.path()).mkpath(QStringLiteral("bin"));
    const QString bin = QCoreApplication::applicationDirPath();
    QVERIFY(QFile::copy(bin + QStringLiteral("/varko2000"), dir.filePath("bin/varko2000")));
    QVERIFY(QFile::link(bin + QStringLiteral("/fake_archiver"), dir.filePath("bin/wrar")));
    for (const char *folder : {"home", "tmp", "rips"})
        QDir(dir.path()).mkpath(QString::fromLatin1(folder));

    RipSettings settings;
    settings.tdrive = dir.filePath("tmp");
    settings.riptodir = dir.filePath("rips/");
    settings.dnumber = 1;
    const QStringList rows{makeFile(dir.filePath("rel/file_id.diz"), QByteArray("xx/xx\r\n")),
                           makeFile(dir.filePath("rel/data.bin"), 4000), dir.filePath("rel/gone.bin")};
    QVERIFY(writeScript(dir.filePath("S"), settings, rows).ok);

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VARKO_HOME"), dir.filePath("home"));
    environment.insert(QStringLiteral("VARKO_FAKE_ARCHIVER"), QString::fromUtf8(archiver));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(dir.path());
    program.start(dir.filePath("bin/varko2000"), arguments);
    QVERIFY(program.waitForFinished(10000));
    const QString stderrText = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(stderrText.contains(said), qPrintable(stderrText));
    QCOMPARE(QDir(dir.filePath("rips")).entryList(QDir::Files), zips);
    if (status == 0) {
        QVERIFY(stderrText.contains(QStringLiteral("gone.bin: not found, left out")));
        QCOMPARE(readZip(dir.filePath("rips/myrel02.zip")).entry("file_id.diz"), QByteArray("02/02\r\n"));
    }
}

QTEST_GUILESS_MAIN(TestHeadlessPack)
#include "tst_headlesspack.moc"
