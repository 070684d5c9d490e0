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
    // VARKO_HOME, made on demand, is every packing test's: tst_settest packs into one not yet made.
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
