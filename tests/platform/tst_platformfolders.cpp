// Varko 2000 — the data folder's choice and the free-space query.
#include "platform/datafolder.h"
#include "platform/diskspace.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

class TestPlatformFolders : public QObject
{
    Q_OBJECT

private slots:
    void dataFolderFromEnvironment()
    {
        QTemporaryDir dir;
        const QString home = dir.filePath("made/on/demand/");
        qputenv("VARKO_HOME", home.toUtf8());
        QCOMPARE(dataFolder(), dir.filePath("made/on/demand"));
        QVERIFY(QFileInfo(home).isDir());
        QCOMPARE(dataFile("cue.txt"), dir.filePath("made/on/demand/cue.txt"));
    }

    void dataFolderBesideProgram()
    {
        qunsetenv("VARKO_HOME");
        // The build's bin folder is writable: a portable install.
        QCOMPARE(dataFolder(), QCoreApplication::applicationDirPath());
    }

    void freeSpace()
    {
        QTemporaryDir dir;
        QVERIFY(freeBytes(dir.path()));
        QVERIFY(!freeBytes(dir.filePath("missing")));
        QVERIFY(!freeBytes(QString()));
    }
};

QTEST_GUILESS_MAIN(TestPlatformFolders)
#include "tst_platformfolders.moc"
