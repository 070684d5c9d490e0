// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue on screen: drops from file managers and the list's keys, mouse and headers.
#include "queueview/queuedroptarget.h"
#include "queueview/queueview.h"

#include "queuebench.h"

#include <QDesktopServices>
#include <QHeaderView>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace {

// A window's worth of queue: the model, its view, and a drop target on a plain widget.
struct Bench : QueueBench
{
    QWidget target;
    QueueDropTarget drops{queue, settings};
    QueueView view{queue};
    int asked = 0;
    Message::Answer answer = Message::Answer::No;

    Bench()
    {
        drops.install(&target);
        drops.setAsk([this](const Message &message) {
            ++asked;
            return message == Message::renameNewDiz() ? answer : Message::Answer::Cancel;
        });
    }
    // Drags `names` (relative, or a URL of another scheme) onto the target as a
    // file manager would, proposing a move; true when the drop was taken.
    bool drop(const QStringList &names)
    {
        QList<QUrl> urls;
        for (const QString &name : names)
            urls << (name.contains(u':') ? QUrl(name) : QUrl::fromLocalFile(path(name)));
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter({5, 5}, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return false;
        QSignalSpy finished(&drops, &QueueDropTarget::dropFinished);
        QDropEvent dropped({5, 5}, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&target, &dropped);
        // The source must never be told to delete what it dragged.
        return dropped.dropAction() == Qt::CopyAction && (!finished.isEmpty() || finished.wait(5000));
    }
    void click(int row, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint at =
            row < 0 ? QPoint(5, view.viewport()->height() - 5) : view.visualRect(queue.index(row, 0)).center();
        QTest::mouseClick(view.viewport(), button, {}, at);
    }
};

} // namespace

class TestQueueWidgets : public QObject
{
    Q_OBJECT

public slots:
    void recordOpened(const QUrl &url) { m_opened << url.toLocalFile(); }

private slots:
    void drops_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("files"); // made before the drop: "name=bytes"
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QString>("switches"); // zip, nfo1st, rarace, and Y to answer the rename offer Yes
        QTest::addColumn<QString>("rows"); // Name and In of each row
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("asked");
        // Where nfo, diz and other rows go, and ACE, are the window's dropAndPlace rows.
        QTest::newRow("the same file twice is one row")
            << QStringList{"x.txt=5"} << QStringList{"x.txt", "x.txt"} << "101" << "x.txt Rar" << " 1 - 1KB" << 0;
        QTest::newRow("names differing in case are two files")
            << QStringList{"x.txt=5", "X.TXT=5"} << QStringList{"x.txt", "X.TXT"} << "101" << "x.txt Rar,X.TXT Rar"
            << " 2 - 2KB" << 0;
        QTest::newRow("a folder as a file manager names it, in drop order")
            << QStringList{"rel/a=1024", "rel/sub/b=2097152", "z=1"} << QStringList{"z", "rel/"} << "101"
            << "z Rar,rel Rar" << " 2 - 2,050KB" << 0;
        QTest::newRow("a vanished file is skipped") << QStringList{"here=1"} << QStringList{"gone", "here"} << "101"
                                                    << "here Rar" << " 1 - 1KB" << 0;
        QTest::newRow("rename No: its own name and place")
            << QStringList{"New file_id.diz=1"} << QStringList{"New file_id.diz"} << "001" << "New file_id.diz Rar"
            << " 1 - 1KB" << 1;
        QTest::newRow("two files: no rename offer")
            << QStringList{"New file_id.diz=1", "c=1"} << QStringList{"New file_id.diz", "c"} << "101Y"
            << "New file_id.diz Rar,c Rar" << " 2 - 2KB" << 0;
        QTest::newRow("rename Yes never overwrites file_id.diz")
            << QStringList{"New file_id.diz=1", "file_id.diz=2"} << QStringList{"New file_id.diz"} << "101Y"
            << "New file_id.diz Rar" << " 1 - 1KB" << 1;
        // clang-format on
    }
    void drops()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, dropped);
        QFETCH(QString, switches);
        Bench b;
        b.settings.zip = qint16(switches.at(0).digitValue());
        b.settings.nfo1st = qint16(switches.at(1).digitValue());
        b.settings.rarace = qint16(switches.at(2).digitValue());
        b.answer = switches.endsWith(u'Y') ? Message::Answer::Yes : Message::Answer::No;
        QMap<QString, QByteArray> before;
        for (const QString &file : files) {
            const QStringList parts = file.split(u'=');
            makeFile(b.path(parts.at(0)), parts.at(1).toLongLong());
            before[parts.at(0)] = readFile(b.path(parts.at(0)));
        }
        QSignalSpy busy(&b.drops, &QueueDropTarget::busyChanged);
        QVERIFY(b.drop(dropped));
        QStringList rows;
        for (int row = 0; row < b.queue.rowCount(); ++row)
            rows << b.queue.item(row).name + u' ' + b.column(Queue::InColumn).split(u',').at(row);
        QTEST(rows.join(u','), "rows");
        QTEST(b.queue.totals().panelText(), "panel");
        QTEST(b.asked, "asked");
        QCOMPARE(busy.count(), 2);
        // A drop never touches the dropped files (the agreed rename is the window's test).
        for (auto file = before.cbegin(); file != before.cend(); ++file)
            QCOMPARE(readFile(b.path(file.key())), file.value());
    }

    // A URL that names no file is refused (a drop during a run is the window's dropAndPlace).
    void dropOfOtherSchemesRefused()
    {
        Bench b;
        QVERIFY(!b.drop({"https://example.com/a"}));
        QCOMPARE(b.queue.rowCount(), 0);
    }

    void headersSortWhileThereAreRows()
    {
        Bench b;
        b.view.resize(600, 300);
        b.view.show();
        QHeaderView *header = b.view.header();
        QVERIFY(!header->sectionsClickable());
        makeFile(b.path("a"), 1);
        makeFile(b.path("b"), 1);
        QVERIFY(b.drop({"a", "b"}));
        QVERIFY(header->sectionsClickable());
        const QPoint name(header->sectionViewportPosition(Queue::NameColumn) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
        QCOMPARE(b.column(Queue::NameColumn), QStringLiteral("b,a"));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
        QCOMPARE(b.column(Queue::NameColumn), QStringLiteral("a,b"));
        b.queue.clear();
        QVERIFY(!header->sectionsClickable());
    }

    // Delete on a row is the right_click_menu journey's.
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("asked");
        QTest::newRow("Ctrl+C clears") << int(Qt::Key_C) << int(Qt::ControlModifier) << "clear";
        QTest::newRow("Ctrl+L lists") << int(Qt::Key_L) << int(Qt::ControlModifier) << "list";
        QTest::newRow("C alone does nothing") << int(Qt::Key_C) << int(Qt::NoModifier) << "";
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Bench b;
        QSignalSpy remove(&b.view, &QueueView::removeRequested);
        QSignalSpy clear(&b.view, &QueueView::clearRequested);
        QSignalSpy list(&b.view, &QueueView::listRequested);
        QTest::keyClick(&b.view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QStringList asked;
        for (const auto &[spy, name] : {std::pair{&remove, "remove"}, {&clear, "clear"}, {&list, "list"}})
            if (!spy->isEmpty())
                asked << name;
        QTEST(asked.join(u','), "asked");
    }

    void clicksAndFocus()
    {
        Bench b;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordOpened");
        b.view.resize(600, 300);
        b.view.show();
        QSignalSpy popup(&b.view, &QueueView::popupRequested);
        b.click(-1, Qt::RightButton);
        QVERIFY(popup.isEmpty());

        makeFile(b.path("a"), 1);
        makeFile(b.path("b"), 1);
        QVERIFY(b.drop({"a", "b"}));
        b.click(1);
        QCOMPARE(b.queue.totals().selectedPath, b.path("b"));
        QTest::mouseDClick(b.view.viewport(), Qt::LeftButton, {}, b.view.visualRect(b.queue.index(1, 0)).center());
        QCOMPARE(m_opened, QStringList{b.path("b")});
        b.click(-1, Qt::RightButton);
        QCOMPARE(popup.count(), 1);
        // A press on empty space leaves no selected path: nothing opens.
        b.click(-1);
        QVERIFY(b.queue.totals().selectedPath.isEmpty());
        b.view.openSelectedItem();
        QCOMPARE(m_opened.size(), 1);

        b.click(0, Qt::MiddleButton);
        QCOMPARE(b.queue.totals().selectedPath, b.path("a"));
        QTest::keyClick(&b.view, Qt::Key_Down);
        QCOMPARE(b.queue.totals().selectedPath, b.path("b"));
        b.view.setFocus();
        QFocusEvent away(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&b.view, &away);
        QVERIFY(b.queue.totals().selectedPath.isEmpty());
        QCOMPARE(b.view.firstSelectedRow(), -1);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

private:
    QStringList m_opened;
};

QTEST_MAIN(TestQueueWidgets)
#include "tst_queuewidgets.moc"
