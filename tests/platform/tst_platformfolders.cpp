// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the data folder's choice and the free-space query.
#include "platform/datafolder.h"
#include "platform/diskspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
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

    void freeSpace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("known");
        QTest::newRow("a folder") << "." << true;
        QTest::newRow("missing") << "missing" << false;
        QTest::newRow("a file") << "file" << false;
        QTest::newRow("nothing") << "" << false;
    }

    // Compared with coreutils' own reading of the folder: the blocks available to the user.
    void freeSpace()
    {
        QFETCH(QString, path);
        QFETCH(bool, known);
        QTemporaryDir dir;
        QFile(dir.filePath("file")).open(QIODevice::WriteOnly);
        const QString folder = path.isEmpty() ? path : QDir(dir.path()).filePath(path);
        const std::optional<qint64> free = freeBytes(folder);
        QCOMPARE(free.has_value(), known);
        if (!known)
            return;
        QProcess stat;
        stat.start("stat", {"-f", "-c", "%a %S", folder});
        QVERIFY2(stat.waitForFinished() && stat.exitCode() == 0, "stat(1) from coreutils");
        const QStringList blocks = QString::fromLatin1(stat.readAllStandardOutput()).split(u' ');
        const qint64 expected = blocks.value(0).toLongLong() * blocks.value(1).trimmed().toLongLong();
        // Others write meanwhile; the blocks kept for root are far more than this.
        QVERIFY2(qAbs(*free - expected) < 64 * 1024 * 1024, qPrintable(QString::number(*free - expected)));
    }
};

QTEST_GUILESS_MAIN(TestPlatformFolders)
#include "tst_platformfolders.moc"
