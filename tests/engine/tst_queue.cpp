// Varko 2000 — the queue: rows from a drop and a script, totals, removing, sorting, placement.
#include "engine/placement.h"
#include "engine/placementrules.h"
#include "engine/queue.h"
#include "engine/queuefiller.h"
#include "engine/queuesort.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A queue filled from a folder of its own.
struct Bench
{
    QTemporaryDir dir;
    RipSettings settings;
    Queue queue;
    int asked = 0;

    QString path(const QString &name) const { return dir.filePath(name); }
    // Drops `names` together, each made with `size` bytes; every question gets `answer`.
    void drop(const QStringList &names, qint64 size = 1, Message::Answer answer = Message::Answer::No)
    {
        QStringList paths;
        for (const QString &name : names)
            paths << (QFileInfo::exists(path(name)) ? path(name) : makeFile(path(name), size));
        QueueFiller(queue, settings).addDropped(paths, [this, answer](const Message &) {
            ++asked;
            return answer;
        });
    }
    void script(const QStringList &paths) { QueueFiller(queue, settings).addScriptRows(paths); }
    QString column(QString QueueItem::*field) const
    {
        QStringList values;
        for (const QueueItem &row : queue.items())
            values << row.*field;
        return values.join(u',');
    }
};

} // namespace

class TestQueue : public QObject
{
    Q_OBJECT

private slots:
    void kilobyteRule_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("size");
        QTest::addColumn<double>("kb");
        QTest::newRow("empty file counts 1") << qint64(0) << "1KB" << 1.0;
        QTest::newRow("1024 bytes count 1") << qint64(1024) << "1KB" << 1.0;
        QTest::newRow("1025 bytes keep the fraction") << qint64(1025) << "1KB" << 1.0009765625;
        QTest::newRow("thousands separator") << qint64(1264026) << "1,234KB" << 1234.400390625;
    }
    void kilobyteRule()
    {
        QFETCH(qint64, bytes);
        Bench b;
        b.drop({"f.bin"}, bytes);
        QTEST(b.queue.item(0).size, "size");
        QTEST(b.queue.totals().totalKB, "kb");
    }

    void folderRow()
    {
        Bench b;
        makeFile(b.path("rel/a.bin"), 1048576);
        makeFile(b.path("rel/sub/deeper/b.bin"), 2097152);
        b.drop({"rel"});
        const QueueItem &row = b.queue.item(0);
        QCOMPARE(QStringList({row.type, row.size, row.path, row.in}),
                 QStringList({"File Folder", "3,072KB", b.dir.path() + u'/', Placement::Rar}));
        QCOMPARE(row.icon, IconKind::Folder);
    }

    void defaultPlacement_data()
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
    void defaultPlacement()
    {
        QFETCH(QString, name);
        QFETCH(int, zip);
        QFETCH(int, nfo1st);
        QFETCH(int, rarace);
        Bench b;
        b.settings.zip = static_cast<qint16>(zip);
        b.settings.nfo1st = static_cast<qint16>(nfo1st);
        b.settings.rarace = static_cast<qint16>(rarace);
        b.drop({name}, 10);
        QCOMPARE(b.queue.item(0).name, name);
        QTEST(b.queue.item(0).in, "in");
        QTEST(int(b.queue.item(0).icon), "icon");
    }

    void duplicateRule()
    {
        Bench b;
        b.drop({"x.txt", "x.txt"}, 10);
        b.drop({"x.txt"});
        QCOMPARE(b.queue.rowCount(), 1);
        QCOMPARE(b.queue.totals().totalKB, 1.0);
        // Names differing in case are two files on this file system; a path gone since is left out.
        QueueFiller(b.queue, b.settings).addDropped({b.path("gone.txt"), makeFile(b.path("X.TXT"), 5)}, {});
        QCOMPARE(b.column(&QueueItem::name), QStringLiteral("x.txt,X.TXT"));
    }

    void renameOffer_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("existing"); // a file_id.diz beside it already
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QByteArray>("diz"); // file_id.diz afterwards
        QTest::newRow("yes renames, always Zip") << true << false << "file_id.diz" << Placement::Zip << QByteArray("abc");
        QTest::newRow("no keeps the name, default placement") << false << false << "New file_id.diz" << Placement::Rar << QByteArray();
        QTest::newRow("yes never overwrites") << true << true << "New file_id.diz" << Placement::Rar << QByteArray("old");
    }
    void renameOffer()
    {
        QFETCH(bool, yes);
        QFETCH(bool, existing);
        QFETCH(QString, name);
        QFETCH(QString, in);
        Bench b;
        b.settings.zip = 0;
        if (existing)
            makeFile(b.path("file_id.diz"), QByteArray("old"));
        b.drop({"New file_id.diz"}, 3, yes ? Message::Answer::Yes : Message::Answer::No);
        QCOMPARE(b.asked, 1);
        QCOMPARE(b.column(&QueueItem::name) + b.column(&QueueItem::in), name + in);
        QCOMPARE(QFile::exists(b.path("New file_id.diz")), name != u"file_id.diz");
        QTEST(readFile(b.path("file_id.diz")), "diz");
        // Two files dropped together: no question.
        b.drop({"b/New file_id.diz", "b/c"}, 1, Message::Answer::Yes);
        QCOMPARE(b.asked, 1);
    }

    void totalsAndRemoving()
    {
        Bench b;
        QCOMPARE(b.queue.totals().panelText(), QStringLiteral("Queue empty"));
        b.drop({"a"}, 2048);
        b.drop({"b"}, 200);
        QCOMPARE(b.queue.totals().panelText(), QStringLiteral(" 2 - 3KB"));
        b.script({b.path("gone")});
        QCOMPARE(b.queue.totals().count, 3);

        QCOMPARE(b.queue.removeRow(2), Queue::RemoveOutcome::Removed);
        QCOMPARE(b.queue.totals().totalKB, 3.0);
        QCOMPARE(b.queue.removeRow(0), Queue::RemoveOutcome::Removed);
        QCOMPARE(b.queue.totals().panelText(), QStringLiteral(" 1 - 1KB"));
        QCOMPARE(b.queue.removeRow(5), Queue::RemoveOutcome::NothingRemoved);
        QCOMPARE(b.queue.removeRow(0), Queue::RemoveOutcome::Emptied);
        QCOMPARE(b.queue.totals().totalKB, 0.0);
        QCOMPARE(b.queue.totals().panelText(), QStringLiteral("Queue empty"));
        QVERIFY(!b.queue.headersClickable());
    }

    void removingFileThatMoved()
    {
        Bench b;
        b.drop({"stays", "moving"}, 10);
        b.queue.selectRow(1);
        QFile::rename(b.path("moving"), b.path("moved"));
        QCOMPARE(b.queue.removeRow(1), Queue::RemoveOutcome::FileMoved);
        QCOMPARE(b.queue.rowCount(), 0);
        QCOMPARE(b.queue.totals().count, 0);
        QVERIFY(b.queue.totals().selectedPath.isEmpty());
        QVERIFY(QFile::exists(b.path("stays")));
    }

    void sortByHeaderClicks()
    {
        Bench b;
        b.drop({"b"}, 10 * 1024);
        b.drop({"a"}, 9 * 1024);
        b.drop({"c"}, 100 * 1024);
        b.script({b.path("missing")});
        b.queue.sortByHeaderClick(Queue::SizeColumn);
        QCOMPARE(b.column(&QueueItem::name), QStringLiteral("missing,a,b,c"));
        b.queue.sortByHeaderClick(Queue::NameColumn);
        QCOMPARE(b.column(&QueueItem::name), QStringLiteral("a,b,c,missing"));
        b.queue.sortByHeaderClick(Queue::NameColumn);
        QCOMPARE(b.column(&QueueItem::name), QStringLiteral("missing,c,b,a"));
        // The flag is now off: newest first, the row without a date last.
        b.queue.sortByHeaderClick(Queue::ModifiedColumn);
        QVERIFY(b.column(&QueueItem::name).endsWith(QStringLiteral(",missing")));
    }

    void sortKeys_data()
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
    void sortKeys()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, later);
        QFETCH(bool, size);
        QVERIFY(size ? sizeSortKey(earlier) < sizeSortKey(later) : modifiedSortKey(earlier) < modifiedSortKey(later));
    }

    void scriptRows()
    {
        Bench b;
        b.script({makeFile(b.path("file_id.diz"), 3000), b.path("deleted.bin"), makeFile(b.path("x.nfo"), 10), "no-folder"});
        QCOMPARE(b.column(&QueueItem::in), QStringLiteral("Zip,,Zip,"));
        const QueueItem &missing = b.queue.item(1);
        QCOMPARE(missing.size + missing.type + missing.modified, QStringLiteral("-----(Not found!)-----"));
        QCOMPARE(missing.path, b.dir.path() + u'/');
        QVERIFY(b.queue.item(3).isNotFound());
        QCOMPARE(b.queue.totals().totalKB, 3.9296875); // 3000 bytes and a not-found row's 1KB
        QCOMPARE(b.queue.totals().count, 4);
    }

    // Each step one placement command: z, f, a<row> a row in the zips, the first zip, the archive;
    // A the archive type ACE; Z0, Z1 zipping off, on; N "Nfo in first zip" flipped.
    void placementCommands_data()
    {
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<int>("nfo1st");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("in"); // the rows, then rarace and nfo1st
        const QStringList abc{"a", "b", "c"}, release{"file_id.diz", "a.nfo", "c"}, nfos{"a.nfo", "b.nfo"};
        QTest::newRow("rows moved, then ACE") << abc << 0 << "z1 f2 A" << "Ace,Zip,1st Zip only 0 0";
        QTest::newRow("back to the archive") << abc << 0 << "z1 f2 A a1" << "Ace,Ace,1st Zip only 0 0";
        QTest::newRow("zipping off puts all in the archive") << release << 1 << "z2 Z0" << "Rar,Rar,Rar 1 1";
        QTest::newRow("zipping on places anew, hand placement lost") << release << 1 << "z2 Z0 Z1" << "Zip,1st Zip only,Rar 1 1";
        QTest::newRow("nfo first on leaves archive rows") << nfos << 0 << "a1 N" << "1st Zip only,Rar 1 1";
        QTest::newRow("nfo first off again") << nfos << 0 << "a1 N N" << "Zip,Rar 1 0";
    }
    void placementCommands()
    {
        QFETCH(QStringList, dropped);
        QFETCH(int, nfo1st);
        QFETCH(QString, steps);
        Bench b;
        b.settings.nfo1st = static_cast<qint16>(nfo1st);
        b.drop(dropped);
        for (const QString &step : steps.split(u' ')) {
            const int row = step.mid(1).toInt();
            switch (step.at(0).toLatin1()) {
            case 'z': PlacementRules::placeInZip(b.queue, row); break;
            case 'f': PlacementRules::placeInFirstZip(b.queue, row); break;
            case 'a': PlacementRules::placeInArchive(b.queue, b.settings, row); break;
            case 'A': PlacementRules::setArchiveType(b.queue, b.settings, false); break;
            case 'Z': PlacementRules::setZipping(b.queue, b.settings, row == 1); break;
            case 'N': PlacementRules::toggleNfoFirst(b.queue, b.settings); break;
            }
        }
        QTEST(QStringLiteral("%1 %2 %3").arg(b.column(&QueueItem::in)).arg(b.settings.rarace).arg(b.settings.nfo1st), "in");
    }

    void queueMenu_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("zip");
        QTest::addColumn<QString>("offered"); // archive, zip, first zip
        QTest::newRow("diz while zipping: only In Zip") << "file_id.diz" << 1 << "010";
        QTest::newRow("other row while zipping: all three") << "data.bin" << 1 << "111";
        QTest::newRow("diz while not zipping: only the archive") << "file_id.diz" << 0 << "100";
        QTest::newRow("not-found row: none") << "" << 1 << "000";
    }
    void queueMenu()
    {
        QFETCH(QString, name);
        QFETCH(int, zip);
        Bench b;
        b.settings.zip = static_cast<qint16>(zip);
        if (name.isEmpty())
            b.script({b.path("gone")});
        else
            b.drop({name});
        b.queue.selectRow(0);
        const PlacementRules::QueueMenuState menu = PlacementRules::queueMenuState(b.queue, b.settings, 0);
        QTEST(QString::number(menu.inArchive) + QString::number(menu.inZip) + QString::number(menu.inFirstZip), "offered");
        QVERIFY(menu.openItem && menu.removeItem && menu.packIt);
        QCOMPARE(menu.inArchiveCaption, QStringLiteral("In Rar"));

        b.queue.clearSelectedPath();
        const PlacementRules::QueueMenuState none = PlacementRules::queueMenuState(b.queue, b.settings, -1);
        QVERIFY(!none.openItem && !none.removeItem && !none.inZip && none.clearQueue && none.packIt);
    }
};

QTEST_GUILESS_MAIN(TestQueue)
#include "tst_queue.moc"
