// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue: rows, totals, removing, sorting, placement, script opening.
#include "engine/placement.h"
#include "engine/placementrules.h"
#include "engine/ripstate.h"
#include "engine/scriptopener.h"
#include "queuebench.h"
#include "store/ripscript.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <unistd.h>

namespace {

// Watched by the model tester throughout.
struct Bench : QueueBench
{
    QAbstractItemModelTester tester{&queue, QAbstractItemModelTester::FailureReportingMode::QtTest};

    void script(const QStringList &paths) { QVERIFY(QueueFiller(queue, settings).addScriptRows(paths)); }
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
    }
    void kilobyteRule()
    {
        QFETCH(qint64, bytes);
        Bench b;
        b.add({"f.bin"}, bytes);
        QTEST(b.column(Queue::SizeColumn), "size");
        QTEST(b.queue.totals().totalKB, "kb");
    }

    void folderRow()
    {
        Bench b;
        makeFile(b.path("rel/a.bin"), 1048576);
        makeFile(b.path("rel/sub/deeper/b.bin"), 2097152);
        b.add({"rel"});
        QCOMPARE(b.column(Queue::TypeColumn) + b.column(Queue::SizeColumn) + b.column(Queue::InColumn),
                 QStringLiteral("File Folder3,072KBRar"));
        QCOMPARE(b.column(Queue::PathColumn), b.dir.path() + u'/');
        QCOMPARE(b.queue.item(0).icon(), IconKind::Folder);
    }

    void totalsAndRemoving()
    {
        Bench b;
        QCOMPARE(b.queue.totals().panelText(), QStringLiteral("Queue empty"));
        b.add({"a"}, 2048);
        b.add({"b"}, 200);
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
        b.add({"stays", "moving"}, 10);
        b.queue.selectRow(1);
        QFile::rename(b.path("moving"), b.path("moved"));
        QCOMPARE(b.queue.removeRow(1), Queue::RemoveOutcome::FileMoved);
        QCOMPARE(b.queue.rowCount(), 0);
        QCOMPARE(b.queue.totals().count, 0);
        QVERIFY(b.queue.totals().selectedPath.isEmpty());
        QVERIFY(QFile::exists(b.path("stays")));
    }

    void sortByHeaderClicks_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("order");
        const int name = Queue::NameColumn, size = Queue::SizeColumn, modified = Queue::ModifiedColumn;
        QTest::newRow("Size first: smallest first, 9KB before 10KB, 1KB before 1.001KB")
            << QList<int>{size} << "missing,d,e,a,b,C";
        QTest::newRow("Name first: Z to A, case ignored") << QList<int>{name} << "missing,e,d,C,b,a";
        QTest::newRow("Name again: A to Z") << QList<int>{name, name} << "a,b,C,d,e,missing";
        QTest::newRow("Modified first: oldest first, seconds count") << QList<int>{modified} << "missing,C,a,b,d,e";
        QTest::newRow("one flag for all columns") << QList<int>{name, modified} << "e,d,b,a,C,missing";
        QTest::newRow("Size after Name: largest first") << QList<int>{name, size} << "C,b,a,e,d,missing";
    }
    void sortByHeaderClicks()
    {
        QFETCH(QList<int>, clicks);
        Bench b;
        const QDateTime noon(QDate(2005, 1, 1), QTime(12, 0));
        const struct
        {
            const char *name;
            qint64 bytes;
            QDateTime modified;
        } rows[] = {{"b", 10 * 1024, noon},
                    {"a", 9 * 1024, noon.addSecs(-3600)},
                    {"C", 100 * 1024, noon.addYears(-6)},
                    {"d", 1024, noon.addSecs(20)},
                    {"e", 1025, noon.addSecs(40)}};
        for (const auto &row : rows) {
            QVERIFY(setModified(makeFile(b.path(row.name), row.bytes), row.modified));
            b.add({row.name});
        }
        b.script({b.path("missing")});
        for (int column : clicks)
            b.queue.sortByHeaderClick(column);
        QTEST(b.column(Queue::NameColumn), "order");
    }

    void scriptRows()
    {
        Bench b;
        b.add({"left-over"});
        const QString script = b.path("rel.v2k");
        const QStringList rows{makeFile(b.path("file_id.diz"), 3000), b.path("deleted.bin"),
                               makeFile(b.path("x.nfo"), 10), "no-folder"};
        QVERIFY(writeScript(script, b.settings, rows).ok);
        QSignalSpy announced(&b.queue, &Queue::totalsChanged);
        QVERIFY(openScript(script, b.queue, b.settings, nullptr).ok);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(b.column(Queue::InColumn), QStringLiteral("Zip,,Zip,"));
        QCOMPARE(b.column(Queue::NameColumn), QStringLiteral("file_id.diz,deleted.bin,x.nfo,"));
        const QString missing =
            b.column(Queue::SizeColumn) + b.column(Queue::TypeColumn) + b.column(Queue::ModifiedColumn);
        QVERIFY(missing.contains(QStringLiteral(",-----,")) && missing.contains(QStringLiteral(",(Not found!),")));
        QCOMPARE(b.queue.item(1).path, b.dir.path() + u'/');
        QVERIFY(b.queue.item(3).isNotFound());
        QCOMPARE(b.queue.totals().totalKB, 3000.0 / 1024 + 1);
        QCOMPARE(b.queue.totals().count, 4);
    }

    void openScriptFailure_data()
    {
        QTest::addColumn<QString>("broken");
        QTest::newRow("a folder as the script") << "script";
        QTest::newRow("a queued symbolic link to a folder cannot be examined") << "link";
        // Permissions do not stop the superuser.
        if (::geteuid() != 0)
            QTest::newRow("a queued folder without read permission") << "locked";
    }
    void openScriptFailure()
    {
        QFETCH(QString, broken);
        Bench b;
        b.add({"queued"});
        QString script = b.path("rel.v2k");
        QDir(b.dir.path()).mkpath("locked/inside");
        QFile::link(b.path("locked"), b.path("link"));
        QVERIFY(writeScript(script, b.settings, {b.path("queued"), b.path(broken)}).ok);
        if (broken == u"script")
            script = b.dir.path();
        QFile::setPermissions(b.path("locked"), {});
        const StoreResult result = openScript(script, b.queue, b.settings, nullptr);
        QFile::setPermissions(b.path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QStringList({result.message, result.title}),
                 QStringList({script + "\n\ncouldn't be loaded", "Varko 2000"}));
        QCOMPARE(result.icon, MessageIcon::Warning);
        QCOMPARE(b.queue.rowCount(), 0);
        QCOMPARE(b.queue.totals().totalKB, 0.0);
    }

    // Each step one placement command: z, f, a<row> a row in the zips, the first zip, the archive;
    // A the archive type ACE; N "Nfo in first zip" flipped. Moving rows, ACE and the zip box
    // are the window's dropAndPlace, the right_click_menu journey and the options dialog's rowsReplaced.
    void placementCommands_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<int>("nfo1st");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("in"); // the rows, then rarace and nfo1st
        const QStringList abc{"a", "b", "c"}, nfos{"a.nfo", "b.nfo"};
        QTest::newRow("back to the archive") << abc << 0 << "z1 f2 A a1" << "Ace,Ace,1st Zip only 0 0";
        QTest::newRow("nfo first on leaves archive rows") << nfos << 0 << "a1 N" << "1st Zip only,Rar 1 1";
        QTest::newRow("nfo first off again") << nfos << 0 << "a1 N N" << "Zip,Rar 1 0";
        // clang-format on
    }
    void placementCommands()
    {
        QFETCH(QStringList, dropped);
        QFETCH(int, nfo1st);
        QFETCH(QString, steps);
        Bench b;
        b.settings.nfo1st = static_cast<qint16>(nfo1st);
        b.add(dropped);
        for (const QString &step : steps.split(u' ')) {
            const int row = step.mid(1).toInt();
            switch (step.at(0).toLatin1()) {
            case 'z': PlacementRules::placeInZip(b.queue, row); break;
            case 'f': PlacementRules::placeInFirstZip(b.queue, row); break;
            case 'a': PlacementRules::placeInArchive(b.queue, b.settings, row); break;
            case 'A': PlacementRules::setArchiveType(b.queue, b.settings, false); break;
            case 'N': PlacementRules::toggleNfoFirst(b.queue, b.settings); break;
            }
        }
        QTEST(QStringLiteral("%1 %2 %3").arg(b.column(Queue::InColumn)).arg(b.settings.rarace).arg(b.settings.nfo1st),
              "in");
    }

    void lockedWhileRunning()
    {
        Bench b;
        b.add({"a", "b"});
        // While a run walks the rows, nothing changes them.
        RipState run;
        b.queue.setRunState(&run);
        run.ripInProgress = true;
        QVERIFY(b.queue.isLocked());
#ifdef QT_NO_DEBUG // debug builds assert instead
        PlacementRules::placeInZip(b.queue, 1);
        b.queue.clear();
        QCOMPARE(b.column(Queue::InColumn), QStringLiteral("Rar,Rar"));
#endif
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
            b.add({name});
        b.queue.selectRow(0);
        const PlacementRules::QueueMenuState menu = PlacementRules::queueMenuState(b.queue, b.settings, 0);
        QTEST(QString::number(menu.inArchive) + QString::number(menu.inZip) + QString::number(menu.inFirstZip),
              "offered");
        QVERIFY(menu.openItem && menu.removeItem && menu.packIt);
        QCOMPARE(menu.inArchiveCaption, QStringLiteral("In Rar"));

        b.queue.clearSelectedPath();
        const PlacementRules::QueueMenuState none = PlacementRules::queueMenuState(b.queue, b.settings, -1);
        QVERIFY(!none.openItem && !none.removeItem && !none.inZip && none.clearQueue && none.packIt);
    }
};

QTEST_GUILESS_MAIN(TestQueue)
#include "tst_queue.moc"
