// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the recent-scripts list: order, capacity, captions and storage.
#include "store/recentfilelist.h"

#include <QTemporaryDir>
#include <QTest>

class TestRecentFileList : public QObject
{
    Q_OBJECT

private slots:
    void adding_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("fifth drops the oldest")
            << QStringList{"/1", "/2", "/3", "/4", "/5"} << QStringList{"/5", "/4", "/3", "/2"};
        QTest::newRow("reopening the third moves it up")
            << QStringList{"/1", "/2", "/3", "/4", "/2"} << QStringList{"/2", "/4", "/3", "/1"};
        QTest::newRow("case does not make a new entry")
            << QStringList{"/x/Rel.v2k", "/y", "/x/rel.V2K"} << QStringList{"/x/rel.V2K", "/y"};
    }
    void adding()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, entries);
        RecentFileList list;
        list.setMaxFileCount(4);
        for (const QString &path : added)
            list.addFile(path);
        QCOMPARE(list.fileCount(), entries.size());
        for (int n = 1; n <= entries.size(); ++n)
            QCOMPARE(list.file(n), entries.at(n - 1));
        QVERIFY(!list.fileExists(entries.size() + 1));
        QVERIFY(!list.fileExists(0));
    }

    void captions_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        const QString twenty = "/aaaaaaaaa/bbbbbbbbb"; // two parts, twenty characters with their separators
        QTest::newRow("32 characters whole") << "/" + QString(31, u'x') << "/" + QString(31, u'x');
        QTest::newRow("40 characters, last two parts kept") << "/ccccccccccccccccccc" + twenty << "..." + twenty;
        QTest::newRow("last part too long")
            << "/aa/bb/" + QString(40, u'z') << "..." + QString("/aa/bb/") + QString(40, u'z');
        QTest::newRow("long without separator") << QString(40, u'q') << QString(40, u'q');
        QTest::newRow("exactly 32 after a separator") << "/abc/" + QString(32, u'y') << ".../" + QString(32, u'y');
    }
    void captions()
    {
        QFETCH(QString, path);
        QFETCH(QString, caption);
        RecentFileList list;
        list.setMaxFileCount(4);
        list.addFile("/other");
        list.addFile(path);
        QCOMPARE(list.menuCaption(1), "&1)  " + caption);
        QCOMPARE(list.menuCaption(2), QStringLiteral("&2)  /other"));
    }

    void storage()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("mru.ini"), QSettings::IniFormat);
        RecentFileList list;
        list.setMaxFileCount(4);
        list.addFile("/r/one.v2k");
        list.addFile("/r/two words.v2k");
        list.save(settings);
        QCOMPARE(settings.allKeys(), (QStringList{"Count", "File1", "File2", "MaxCount"}));
        QCOMPARE(settings.value("MaxCount").toInt(), 4);
        QCOMPARE(settings.value("File1").toString(), QStringLiteral("/r/two words.v2k"));

        RecentFileList loaded;
        loaded.load(settings);
        QCOMPARE(loaded.maxFileCount(), 4);
        QCOMPARE(loaded.fileCount(), 2);
        QCOMPARE(loaded.file(2), QStringLiteral("/r/one.v2k"));

        // Loading stops at a missing value.
        settings.clear();
        RecentFileList nothingStored;
        nothingStored.load(settings);
        QCOMPARE(nothingStored.fileCount(), 0);
        settings.setValue("MaxCount", 4);
        settings.setValue("Count", 3);
        settings.setValue("File1", "/a");
        settings.setValue("File3", "/c");
        RecentFileList gap;
        gap.load(settings);
        QCOMPARE(gap.fileCount(), 1);
        // Every stored entry is read, also past a smaller capacity: start-up trims afterwards.
        settings.setValue("MaxCount", 2);
        settings.setValue("File2", "/b");
        RecentFileList past;
        past.load(settings);
        QCOMPARE(past.fileCount(), 3);
        QCOMPARE(past.file(3), QStringLiteral("/c"));

        settings.setValue("MaxCount", "four");
        RecentFileList garbage;
        garbage.load(settings);
        QCOMPARE(garbage.fileCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestRecentFileList)
#include "tst_recentfilelist.moc"
