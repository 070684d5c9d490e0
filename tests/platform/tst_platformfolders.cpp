// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the data folder's choice, the free-space query and folder sizes.
#include "platform/datafolder.h"
#include "platform/diskspace.h"
#include "platform/foldersize.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

    void folderSize_data()
    {
        QTest::addColumn<QStringList>("files"); // "path:bytes", or "path->target" for a symbolic link
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("known");
        // clang-format off
        QTest::newRow("empty") << QStringList() << "" << true;
        QTest::newRow("nested") << QStringList{"a:5", "b/c:7", "b/d/e:11", "b/d/f/g:13", ".hidden/h:2"} << "" << true;
        QTest::newRow("wide") << wideTree() << "" << true;
        QTest::newRow("links not followed") << QStringList{"a:5", "la->a", "sub/b:3", "loop->.", "lsub->sub"} << "" << true;
        QTest::newRow("a subfolder") << QStringList{"a:5", "sub/b:3", "sub/in/c:4"} << "sub" << true;
        QTest::newRow("a file") << QStringList{"a:5"} << "a" << false;
        QTest::newRow("missing") << QStringList() << "gone" << false;
        QTest::newRow("a link to a folder") << QStringList{"sub/b:3", "lsub->sub"} << "lsub" << false;
        // clang-format on
    }

    // Against find(1), which does not follow links either.
    void folderSize()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, asked);
        QFETCH(bool, known);
        QTemporaryDir dir;
        for (const QString &file : files) {
            const QString path = dir.filePath(file.section(u':', 0, 0).section(QStringLiteral("->"), 0, 0));
            QDir().mkpath(QFileInfo(path).path());
            if (file.contains(QStringLiteral("->")))
                QVERIFY(QFile::link(file.section(QStringLiteral("->"), 1), path));
            else
                QVERIFY(writeBytes(path, file.section(u':', 1).toInt()));
        }
        const QString folder = QDir(dir.path()).filePath(asked);
        const std::optional<qint64> bytes = folderBytes(folder);
        QCOMPARE(bytes.has_value(), known);
        if (!known)
            return;
        QProcess find;
        find.start("find", {folder, "-type", "f", "-printf", "%s\\n"});
        QVERIFY2(find.waitForFinished() && find.exitCode() == 0, "find(1) from findutils");
        qint64 expected = 0;
        for (const QByteArray &line : find.readAllStandardOutput().split('\n'))
            expected += line.toLongLong();
        QCOMPARE(*bytes, expected);
    }

private:
    // More folders than one thread reads alone.
    static QStringList wideTree()
    {
        QStringList files;
        for (int i = 0; i < 60; ++i)
            files << QStringLiteral("d%1/e%2/f:%3").arg(i % 7).arg(i).arg(i * 13 + 1);
        return files;
    }

    static bool writeBytes(const QString &path, int count)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(QByteArray(count, 'x')) == count;
    }
};

QTEST_GUILESS_MAIN(TestPlatformFolders)
#include "tst_platformfolders.moc"
