// Varko 2000 — the queue: rows from a drop and a script, totals, removing, sorting, placement.
#include "placement.h"
#include "placementrules.h"
#include "queue.h"
#include "queuefiller.h"
#include "queuesort.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

class TestQueue : public QObject
{
    Q_OBJECT

private slots:
    void kilobyteRule_data();
    void kilobyteRule();
    void folderRow();
    void defaultPlacement_data();
    void defaultPlacement();
    void duplicateRule();
    void vanishedPathIsSkipped();
    void renameOffer_data();
    void renameOffer();
    void renameNeverOverwrites();
    void totalsPanel();
    void removing();
    void removingFileThatMoved();
    void sortByHeaderClicks();
    void sortKeys_data();
    void sortKeys();
    void scriptRows();
    void archiveTypeSwitch();
    void zippingReplacesAll();
    void nfoFirstToggle();
    void queueMenu_data();
    void queueMenu();

private:
    static QueueFiller::Ask answer(Message::Answer a, int *asked = nullptr)
    {
        return [a, asked](const Message &) {
            if (asked)
                ++*asked;
            return a;
        };
    }
};

void TestQueue::kilobyteRule_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("kb");
    QTest::newRow("empty file counts 1") << qint64(0) << "1KB" << 1.0;
    QTest::newRow("1024 bytes count 1") << qint64(1024) << "1KB" << 1.0;
    QTest::newRow("1025 bytes keep the fraction") << qint64(1025) << "1KB" << 1.0009765625;
    QTest::newRow("thousands separator") << qint64(1264026) << "1,234KB" << 1234.400390625;
}

void TestQueue::kilobyteRule()
{
    QFETCH(QString, size);
    QFETCH(double, kb);
    QFETCH(qint64, bytes);
    QTemporaryDir dir;
    Queue queue;
    RipSettings settings;
    QueueFiller(queue, settings).addDropped({makeFile(dir.filePath("f.bin"), bytes)}, answer(Message::Answer::No));
    QCOMPARE(queue.item(0).size, size);
    QCOMPARE(queue.totals().totalKB, kb);
}

void TestQueue::folderRow()
{
    QTemporaryDir dir;
    makeFile(dir.filePath("rel/a.bin"), 1048576);
    makeFile(dir.filePath("rel/sub/deeper/b.bin"), 2097152);
    Queue queue;
    RipSettings settings;
    QueueFiller(queue, settings).addDropped({dir.filePath("rel")}, answer(Message::Answer::No));
    QCOMPARE(queue.item(0).type, QStringLiteral("File Folder"));
    QCOMPARE(queue.item(0).size, QStringLiteral("3,072KB"));
    QCOMPARE(queue.item(0).path, dir.path() + u'/');
    QCOMPARE(queue.item(0).icon, IconKind::Folder);
    QCOMPARE(queue.item(0).in, Placement::Rar);
}

void TestQueue::defaultPlacement_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("zip");
    QTest::addColumn<int>("nfo1st");
    QTest::addColumn<int>("rarace");
    QTest::addColumn<QString>("in");
    QTest::addColumn<int>("icon");
    QTest::newRow("nfo first zip, icon by the typed extension") << "Readme.NFO" << 1 << 1 << 1 << Placement::FirstZipOnly << int(IconKind::File);
    QTest::newRow("nfo every zip") << "readme.nfo" << 1 << 0 << 1 << Placement::Zip << int(IconKind::Description);
    QTest::newRow("diz in capitals") << "FILE_ID.DIZ" << 1 << 0 << 1 << Placement::Zip << int(IconKind::File);
    QTest::newRow("no zipping: diz in the archive") << "file_id.diz" << 0 << 1 << 0 << Placement::Ace << int(IconKind::Description);
    QTest::newRow("other file, ACE") << "data.iso" << 1 << 0 << 0 << Placement::Ace << int(IconKind::DiscImage);
    QTest::newRow("upper-case extension is no disc image") << "DATA.ISO" << 1 << 0 << 1 << Placement::Rar << int(IconKind::File);
}

void TestQueue::defaultPlacement()
{
    QFETCH(int, zip);
    QFETCH(int, nfo1st);
    QFETCH(int, rarace);
    QFETCH(QString, in);
    QFETCH(int, icon);
    QFETCH(QString, name);
    QTemporaryDir dir;
    RipSettings settings;
    settings.zip = static_cast<qint16>(zip);
    settings.nfo1st = static_cast<qint16>(nfo1st);
    settings.rarace = static_cast<qint16>(rarace);
    Queue queue;
    QueueFiller(queue, settings).addDropped({makeFile(dir.filePath(name), 10)}, answer(Message::Answer::No));
    QCOMPARE(queue.item(0).name, name);
    QCOMPARE(queue.item(0).in, in);
    QCOMPARE(int(queue.item(0).icon), icon);
}

void TestQueue::duplicateRule()
{
    QTemporaryDir dir;
    const QString lower = makeFile(dir.filePath("x.txt"), 10);
    const QString upper = makeFile(dir.filePath("X.TXT"), 10);
    Queue queue;
    RipSettings settings;
    QueueFiller filler(queue, settings);
    filler.addDropped({lower, lower}, answer(Message::Answer::No));
    filler.addDropped({lower}, answer(Message::Answer::No));
    QCOMPARE(queue.rowCount(), 1);
    QCOMPARE(queue.totals().totalKB, 1.0);
    // Names differing in case are two files on this file system.
    filler.addDropped({upper}, answer(Message::Answer::No));
    QCOMPARE(queue.rowCount(), 2);
}

void TestQueue::vanishedPathIsSkipped()
{
    QTemporaryDir dir;
    Queue queue;
    RipSettings settings;
    QueueFiller(queue, settings).addDropped({dir.filePath("gone.txt"), makeFile(dir.filePath("here.txt"), 5)},
                                            answer(Message::Answer::No));
    QCOMPARE(queue.rowCount(), 1);
    QCOMPARE(queue.item(0).name, QStringLiteral("here.txt"));
}

void TestQueue::renameOffer_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("in");
    QTest::newRow("yes renames, always Zip") << true << "file_id.diz" << Placement::Zip;
    QTest::newRow("no keeps the name, default placement") << false << "New file_id.diz" << Placement::Rar;
}

void TestQueue::renameOffer()
{
    QFETCH(QString, in);
    QFETCH(bool, yes);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString dropped = makeFile(dir.filePath("New file_id.diz"), QByteArray("diz"));
    RipSettings settings;
    settings.zip = 0;
    Queue queue;
    int asked = 0;
    QueueFiller(queue, settings).addDropped({dropped}, answer(yes ? Message::Answer::Yes : Message::Answer::No, &asked));
    QCOMPARE(asked, 1);
    QCOMPARE(queue.rowCount(), 1);
    QCOMPARE(queue.item(0).name, name);
    QCOMPARE(queue.item(0).in, in);
    QVERIFY(QFile::exists(dir.filePath(name)));
    QCOMPARE(QFile::exists(dropped), !yes);

    // Two files dropped together: no question.
    QueueFiller(queue, settings).addDropped({makeFile(dir.filePath("b/New file_id.diz"), 1), makeFile(dir.filePath("b/c"), 1)},
                                            answer(Message::Answer::Yes, &asked));
    QCOMPARE(asked, 1);
}

void TestQueue::renameNeverOverwrites()
{
    QTemporaryDir dir;
    const QString dropped = makeFile(dir.filePath("New file_id.diz"), QByteArray("new"));
    const QString existing = makeFile(dir.filePath("file_id.diz"), QByteArray("old"));
    Queue queue;
    RipSettings settings;
    QueueFiller(queue, settings).addDropped({dropped}, answer(Message::Answer::Yes));
    QCOMPARE(readFile(dropped), QByteArray("new"));
    QCOMPARE(readFile(existing), QByteArray("old"));
    QCOMPARE(queue.rowCount(), 1);
    QCOMPARE(queue.item(0).name, QStringLiteral("New file_id.diz"));
}

void TestQueue::totalsPanel()
{
    QTemporaryDir dir;
    Queue queue;
    RipSettings settings;
    QCOMPARE(queue.totals().panelText(), QStringLiteral("Queue empty"));
    QueueFiller(queue, settings).addDropped({makeFile(dir.filePath("a"), 200), makeFile(dir.filePath("b"), 2048)},
                                            answer(Message::Answer::No));
    QCOMPARE(queue.totals().panelText(), QStringLiteral(" 2 - 3KB"));
}

void TestQueue::removing()
{
    QTemporaryDir dir;
    Queue queue;
    RipSettings settings;
    QueueFiller filler(queue, settings);
    filler.addDropped({makeFile(dir.filePath("a"), 2048), makeFile(dir.filePath("b"), 200)}, answer(Message::Answer::No));
    filler.addScriptRows({dir.filePath("gone")});
    QCOMPARE(queue.totals().count, 3);

    QCOMPARE(queue.removeRow(2), Queue::RemoveOutcome::Removed);
    QCOMPARE(queue.totals().totalKB, 3.0);
    QCOMPARE(queue.removeRow(0), Queue::RemoveOutcome::Removed);
    QCOMPARE(queue.totals().panelText(), QStringLiteral(" 1 - 1KB"));
    QCOMPARE(queue.removeRow(5), Queue::RemoveOutcome::NothingRemoved);
    QCOMPARE(queue.removeRow(0), Queue::RemoveOutcome::Emptied);
    QCOMPARE(queue.totals().totalKB, 0.0);
    QCOMPARE(queue.totals().panelText(), QStringLiteral("Queue empty"));
    QVERIFY(!queue.headersClickable());
}

void TestQueue::removingFileThatMoved()
{
    QTemporaryDir dir;
    Queue queue;
    RipSettings settings;
    const QString moving = makeFile(dir.filePath("moving"), 10);
    QueueFiller(queue, settings).addDropped({makeFile(dir.filePath("stays"), 10), moving}, answer(Message::Answer::No));
    queue.selectRow(1);
    QFile::rename(moving, dir.filePath("moved"));
    QCOMPARE(queue.removeRow(1), Queue::RemoveOutcome::FileMoved);
    QCOMPARE(queue.rowCount(), 0);
    QCOMPARE(queue.totals().count, 0);
    QVERIFY(queue.totals().selectedPath.isEmpty());
    QVERIFY(QFile::exists(dir.filePath("stays")));
}

void TestQueue::sortByHeaderClicks()
{
    QTemporaryDir dir;
    Queue queue;
    RipSettings settings;
    QueueFiller filler(queue, settings);
    filler.addDropped({makeFile(dir.filePath("b"), 10 * 1024), makeFile(dir.filePath("a"), 9 * 1024),
                       makeFile(dir.filePath("c"), 100 * 1024)},
                      answer(Message::Answer::No));
    filler.addScriptRows({dir.filePath("missing")});
    auto names = [&] {
        QStringList list;
        for (const QueueItem &row : queue.items())
            list << row.name;
        return list.join(u',');
    };
    queue.sortByHeaderClick(Queue::SizeColumn);
    QCOMPARE(names(), QStringLiteral("missing,a,b,c"));
    queue.sortByHeaderClick(Queue::NameColumn);
    QCOMPARE(names(), QStringLiteral("a,b,c,missing"));
    queue.sortByHeaderClick(Queue::NameColumn);
    QCOMPARE(names(), QStringLiteral("missing,c,b,a"));
    // The flag is now off: newest first, the row without a date last.
    queue.sortByHeaderClick(Queue::ModifiedColumn);
    QVERIFY(names().endsWith(QStringLiteral(",missing")));
}

void TestQueue::sortKeys_data()
{
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("later");
    QTest::addColumn<bool>("size");
    QTest::newRow("9KB before 10KB") << "9KB" << "10KB" << true;
    QTest::newRow("separators") << "999KB" << "1,234KB" << true;
    QTest::newRow("empty keys as zero") << "" << "1KB" << true;
    QTest::newRow("no number first") << "-----" << "" << true;
    QTest::newRow("same day, AM before PM") << "11/28/99 11:59 AM" << "11/28/99 3:07 PM" << false;
    QTest::newRow("noon after 11 AM") << "1/1/05 11:00 AM" << "1/1/05 12:00 PM" << false;
    QTest::newRow("midnight first") << "1/1/05 12:30 AM" << "1/1/05 1:00 AM" << false;
    QTest::newRow("99 before 05") << "12/31/99 11:59 PM" << "1/1/05 12:00 AM" << false;
    QTest::newRow("zero date for empty") << "" << "1/1/30 12:00 AM" << false;
    QTest::newRow("no date first") << "-----" << "" << false;
}

void TestQueue::sortKeys()
{
    QFETCH(bool, size);
    QFETCH(QString, earlier);
    QFETCH(QString, later);
    if (size)
        QVERIFY(sizeSortKey(earlier) < sizeSortKey(later));
    else
        QVERIFY(modifiedSortKey(earlier) < modifiedSortKey(later));
}

void TestQueue::scriptRows()
{
    QTemporaryDir dir;
    RipSettings settings;
    Queue queue;
    QueueFiller filler(queue, settings);
    filler.addScriptRows({makeFile(dir.filePath("file_id.diz"), 3000), dir.filePath("deleted.bin"),
                          makeFile(dir.filePath("x.nfo"), 10), QStringLiteral("no-folder")});
    QCOMPARE(queue.rowCount(), 4);
    QCOMPARE(queue.item(0).in, Placement::Zip);
    const QueueItem &missing = queue.item(1);
    QCOMPARE(missing.size + missing.type + missing.modified, QStringLiteral("-----(Not found!)-----"));
    QCOMPARE(missing.path, dir.path() + u'/');
    QVERIFY(missing.in.isEmpty());
    QCOMPARE(queue.item(2).in, Placement::Zip);
    QVERIFY(queue.item(3).isNotFound());
    QCOMPARE(queue.totals().totalKB, 3000.0 / 1024 + 1);
    QCOMPARE(queue.totals().count, 4);
}

void TestQueue::archiveTypeSwitch()
{
    QTemporaryDir dir;
    RipSettings settings;
    Queue queue;
    QueueFiller(queue, settings).addDropped({makeFile(dir.filePath("a"), 1), makeFile(dir.filePath("b"), 1),
                                             makeFile(dir.filePath("c"), 1)}, answer(Message::Answer::No));
    PlacementRules::placeInZip(queue, 1);
    PlacementRules::placeInFirstZip(queue, 2);
    PlacementRules::setArchiveType(queue, settings, false);
    QCOMPARE(settings.rarace, 0);
    QCOMPARE(queue.item(0).in + queue.item(1).in + queue.item(2).in, QStringLiteral("AceZip1st Zip only"));
    PlacementRules::placeInArchive(queue, settings, 1);
    QCOMPARE(queue.item(1).in, Placement::Ace);
}

void TestQueue::zippingReplacesAll()
{
    QTemporaryDir dir;
    RipSettings settings;
    settings.nfo1st = 1;
    Queue queue;
    QueueFiller(queue, settings).addDropped({makeFile(dir.filePath("file_id.diz"), 1), makeFile(dir.filePath("a.nfo"), 1),
                                             makeFile(dir.filePath("c"), 1)}, answer(Message::Answer::No));
    PlacementRules::placeInZip(queue, 2);
    PlacementRules::setZipping(queue, settings, false);
    QCOMPARE(queue.item(0).in + queue.item(1).in + queue.item(2).in, QStringLiteral("RarRarRar"));
    PlacementRules::setZipping(queue, settings, true);
    QCOMPARE(queue.item(0).in + queue.item(1).in + queue.item(2).in, QStringLiteral("Zip1st Zip onlyRar"));
}

void TestQueue::nfoFirstToggle()
{
    QTemporaryDir dir;
    RipSettings settings;
    Queue queue;
    QueueFiller(queue, settings).addDropped({makeFile(dir.filePath("a.nfo"), 1), makeFile(dir.filePath("b.nfo"), 1)},
                                            answer(Message::Answer::No));
    PlacementRules::placeInArchive(queue, settings, 1);
    PlacementRules::toggleNfoFirst(queue, settings);
    QCOMPARE(settings.nfo1st, 1);
    QCOMPARE(queue.item(0).in + queue.item(1).in, QStringLiteral("1st Zip onlyRar"));
    PlacementRules::toggleNfoFirst(queue, settings);
    QCOMPARE(queue.item(0).in + queue.item(1).in, QStringLiteral("ZipRar"));
}

void TestQueue::queueMenu_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("zip");
    QTest::addColumn<QString>("offered"); // archive, zip, first zip
    QTest::newRow("diz while zipping: only In Zip") << "file_id.diz" << 1 << "010";
    QTest::newRow("other row while zipping: all three") << "data.bin" << 1 << "111";
    QTest::newRow("diz while not zipping: only the archive") << "file_id.diz" << 0 << "100";
    QTest::newRow("other row while not zipping") << "data.bin" << 0 << "100";
    QTest::newRow("not-found row: none") << "" << 1 << "000";
}

void TestQueue::queueMenu()
{
    QFETCH(int, zip);
    QFETCH(QString, offered);
    QFETCH(QString, name);
    QTemporaryDir dir;
    RipSettings settings;
    settings.zip = static_cast<qint16>(zip);
    Queue queue;
    QueueFiller filler(queue, settings);
    if (name.isEmpty())
        filler.addScriptRows({dir.filePath("gone")});
    else
        filler.addDropped({makeFile(dir.filePath(name), 1)}, answer(Message::Answer::No));
    queue.selectRow(0);
    const PlacementRules::QueueMenuState menu = PlacementRules::queueMenuState(queue, settings, 0);
    const QString got = QString::number(menu.inArchive) + QString::number(menu.inZip) + QString::number(menu.inFirstZip);
    QCOMPARE(got, offered);
    QVERIFY(menu.openItem && menu.removeItem && menu.packIt);
    QCOMPARE(menu.inArchiveCaption, QStringLiteral("In Rar"));

    queue.clearSelectedPath();
    const PlacementRules::QueueMenuState none = PlacementRules::queueMenuState(queue, settings, -1);
    QVERIFY(!none.openItem && !none.removeItem && !none.inZip && none.clearQueue && none.packIt);
}

QTEST_GUILESS_MAIN(TestQueue)
#include "tst_queue.moc"
