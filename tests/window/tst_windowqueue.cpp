// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue on the main window: drops, placement, scripts and Pack It from the toolbar.
#include "archivertestkit.h"
#include "controls/textprogressbar.h"
#include "engine/queue.h"
#include "filedrop.h"
#include "queueview/queuedroptarget.h"
#include "store/optionsfile.h"
#include "testfiles.h"
#include "testwindow.h"
#include "window/settestcommand.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

// "name:In" of every row, in queue order.
QString rowsOf(const Queue &queue)
{
    QStringList rows;
    for (int row = 0; row < queue.rowCount(); ++row)
        rows << queue.index(row, Queue::NameColumn).data().toString() + u':'
                + queue.index(row, Queue::InColumn).data().toString();
    return rows.join(QStringLiteral(", "));
}

QString panelText(QWidget &window, const char *name)
{
    return window.findChild<QLabel *>(QLatin1String(name))->text();
}

} // namespace

class TestWindowQueue : public QObject
{
    Q_OBJECT

    ScratchFolders m_root;

    // A started window on a data folder of its own, its options.ini holding the settings given.
    std::unique_ptr<TestWindow> window(int rarace = 1, int zip = 1, const std::function<void(RipSettings &)> &more = {})
    {
        const QString data = m_root.fresh();
        RipSettings settings;
        settings.rarace = qint16(rarace);
        settings.zip = qint16(zip);
        settings.nfo1st = 0;
        settings.warnings = settings.sound = 0;
        if (more)
            more(settings);
        if (!OptionsFile(data + QStringLiteral("/options.ini")).saveOptions(settings).ok)
            return nullptr;
        auto window = std::make_unique<TestWindow>();
        window->startIn(data);
        return window;
    }

    bool dropAndWait(TestWindow &window, const QStringList &paths)
    {
        const bool taken = dropOn(window, paths);
        return taken && QTest::qWaitFor([&] { return !window.dropTarget()->isBusy(); }, 20000);
    }

private slots:
    void initTestCase() { isolateUserFolders(m_root.path()); }

    // Dropped names (size after '='), then a command: the rows and the totals panel.
    void dropAndPlace_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("totals");
        QTest::addColumn<QString>("mode"); // the mode picture, empty while hidden
        QTest::newRow("nfo every zip, diz in zip, rest in rar")
            << QStringList{"a.nfo=10", "FILE_ID.DIZ=10", "x.bin=2048"} << "" << "a.nfo:Zip, FILE_ID.DIZ:Zip, x.bin:Rar"
            << " 3 - 4KB" << "Zip";
        QTest::newRow("ace moves only archive rows") << QStringList{"x.bin=5", "a.nfo=5", "file_id.diz=5"} << "ace2"
                                                     << "x.bin:Ace, a.nfo:Zip, file_id.diz:Zip" << " 3 - 3KB" << "Zip";
        QTest::newRow("zip off puts all in the archive") << QStringList{"a.nfo=5", "file_id.diz=5"} << "zip2"
                                                         << "a.nfo:Rar, file_id.diz:Rar" << " 2 - 2KB" << "Rar";
        QTest::newRow("nfo in first zip") << QStringList{"a.nfo=5", "x.bin=5"} << "nfo2"
                                          << "a.nfo:1st Zip only, x.bin:Rar" << " 2 - 2KB" << "Zip";
        // clang-format on
    }

    void dropAndPlace()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, command);
        const auto win = window(); // RAR, zipping, nfo in every zip
        const QString folder = m_root.fresh();
        QStringList paths;
        for (const QString &file : files)
            paths << makeFile(folder + u'/' + file.section(u'=', 0, 0), file.section(u'=', 1).toLongLong());
        QVERIFY(dropAndWait(*win, paths));
        if (!command.isEmpty())
            win->action(command)->trigger();
        QTEST(rowsOf(win->queue()), "rows");
        QTEST(panelText(*win, "totalsPanel"), "totals");
        QFETCH(QString, mode);
        const auto *picture = win->findChild<QLabel *>(QStringLiteral("modePicture"));
        QTRY_COMPARE(picture->isVisibleTo(win.get()) ? picture->toolTip() : QString(), mode);
    }

    // One "New file_id.diz" dropped alone: Yes renames it and queues it for every zip.
    void renameOffer()
    {
        const auto win = window(1, 0);
        const QString folder = m_root.filePath(QStringLiteral("diz"));
        const QString diz = makeFile(folder + QStringLiteral("/New file_id.diz"), 10);
        win->answer = Message::Answer::Yes;
        QVERIFY(dropAndWait(*win, {diz}));
        QCOMPARE(win->messages, QStringList{"Varko 2000|Rename New diz to file_id.diz?"});
        QCOMPARE(rowsOf(win->queue()), QStringLiteral("file_id.diz:Zip"));
        QCOMPARE(filesIn(folder), QStringList{"file_id.diz"});
    }

    // Toolbar 23 through the real dialog and wrar; `stopAfter` volumes, then Close (0: never).
    void packIt_data()
    {
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<QStringList>("zips");
        QTest::newRow("whole set, with its .sfv and PAR2 files")
            << 0 << QStringList{"myrel.sfv", "myrel01.zip", "myrel02.zip", "myrel03.zip"};
        QTest::newRow("Close between volumes") << 1 << QStringList{"myrel01.zip"};
    }

    void packIt()
    {
        QFETCH(int, stopAfter);
        const bool stopping = stopAfter != 0;
        const QString folder = m_root.fresh();
        QDir().mkpath(folder + QStringLiteral("/out"));
        const auto win = window(1, 1, [&folder](RipSettings &s) {
            s.size = 1;
            s.riptodir = folder + QStringLiteral("/out/");
            s.tdrive = folder;
        });
        // A stopped run writes neither.
        win->action(QStringLiteral("writesfv"))->setChecked(true);
        win->action(QStringLiteral("writepar2"))->setChecked(true);
        QVERIFY(dropAndWait(*win,
                            {makeNoise(folder + QStringLiteral("/in/big.bin"), 1100000),
                             makeFile(folder + QStringLiteral("/in/file_id.diz"), 40)}));
        QCOMPARE(panelText(*win, "totalsPanel"), QStringLiteral(" 2 - 1,075KB"));

        // The name typed into the dialog, Enter; a drop while the run works; then Close while the
        // chosen volume is zipped.
        bool lockedMeanwhile = true;
        std::optional<bool> dropRefused;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            if (auto *dialog = QApplication::activeModalWidget(); dialog && dialog->objectName() == u"Form3") {
                QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("MyRel"));
                QTest::keyClick(dialog, Qt::Key_Return);
            }
            lockedMeanwhile &= !win->ripState().ripInProgress || !win->action(QStringLiteral("clear"))->isEnabled();
            if (win->ripState().ripInProgress && !dropRefused)
                dropRefused = !dropOn(*win, {folder + QStringLiteral("/in/file_id.diz")});
            // Once: a second Close while the run winds down would close the window.
            if (stopAfter && panelText(*win, "totalsPanel").startsWith(QStringLiteral(" %1 of 3").arg(stopAfter))) {
                win->action(QStringLiteral("toolbar_exit"))->trigger();
                stopAfter = 0;
            }
        });
        watcher.start(1);
        win->action(QStringLiteral("toolbar_varko"))->trigger();
        watcher.stop();

        QVERIFY(lockedMeanwhile);
        QCOMPARE(dropRefused, std::optional<bool>(true));
        QVERIFY(!win->ripState().ripInProgress);
        QStringList written = filesIn(folder + QStringLiteral("/out"));
        const QStringList recovery =
            written.filter(QRegularExpression(QStringLiteral("^myrel(\\.vol\\d+\\+\\d+)?\\.par2$")));
        for (const QString &file : recovery)
            written.removeOne(file);
        QTEST(written, "zips");
        QCOMPARE(recovery.contains(QStringLiteral("myrel.par2")), !stopping);
        QCOMPARE(panelText(*win, "totalsPanel"), QStringLiteral(" 2 - 1,075KB"));
        // The bar at rest: empty, with the estimate again after a whole set.
        const auto *bar = win->findChild<TextProgressBar *>(QStringLiteral("progressBar"));
        QCOMPARE(bar->text(), stopping ? QStringLiteral("0%") : QStringLiteral("2.15 Est. files"));
        QCOMPARE(bar->value(), 0);
        QVERIFY(win->isVisible() && !win->isMinimized());
        if (!stopping) { // the PAR2 client and the window's own set test agree, .sfv included
            const ProcessResult verified =
                runProcess("par2", {"verify", "myrel.par2"}, folder + QStringLiteral("/out"));
            QVERIFY2(verified.exitCode == 0, verified.out.right(300));
            testSet(*win, folder + QStringLiteral("/out/myrel.sfv"));
            QVERIFY2(win->messages.last().startsWith(QStringLiteral("Varko 2000|myrel: the set is whole")),
                     qPrintable(win->messages.last()));
            // A zip lost on the way: the test names it, and the recovery files that can rebuild it.
            QVERIFY(QFile::remove(folder + QStringLiteral("/out/myrel02.zip")));
            testSet(*win, folder + QStringLiteral("/out/myrel01.zip"));
            QVERIFY2(win->messages.last().contains(QStringLiteral("repairable with myrel.par2 (")),
                     qPrintable(win->messages.last()));
        }
    }
};

QTEST_MAIN(TestWindowQueue)
#include "tst_windowqueue.moc"
