// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window's entries at start, its commands' marks, its layout and its geometry.
#include "browser/browserlist.h"
#include "browser/browsermodel.h"
#include "browser/filebrowser.h"
#include "testwindow.h"
#include "window/commandtable.h"
#include "window/twipslayout.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QItemSelectionModel>
#include <QMenu>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(LayoutInput)

namespace {

// What start-up with a fresh options.ini checks: the marks that follow the settings and the view.
const QStringList kCheckedAtStart{"rar2",  "rarc",          "rnormal", "zip2",   "intoz", "znormal",
                                  "listi", "toolbar_ilist", "atype",   "atype2", "flarge"};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

public slots:
    void openedUrl(const QUrl &) { }

private:
    ScratchFolders m_root;
    TestWindow m_started; // as start-up leaves it; tests that change a window take a fresh one
    std::unique_ptr<TestWindow> m_window;

    // A fresh window on fresh files.
    TestWindow &freshWindow()
    {
        const QString data = m_root.fresh();
        m_window = std::make_unique<TestWindow>();
        m_window->startIn(data);
        return *m_window;
    }

private slots:
    void initTestCase()
    {
        isolateUserFolders(m_root.path());
        m_started.startIn(m_root.fresh());
    }
    void cleanup() { m_window.reset(); }

    // Every entry and button of the tables is built, only the settings' own marks are checked,
    // and every part a reader of the screen meets has a name.
    void marksAtStart()
    {
        const TestWindow &window = m_started;
        for (const MenuRow &row : menuTable()) {
            if (row.id == Command::None)
                continue;
            const QAction *entry = window.action(QString::fromLatin1(row.name));
            QVERIFY2(entry, row.name);
            QVERIFY2(entry->isChecked() == kCheckedAtStart.contains(QLatin1String(row.name)), row.name);
        }
        for (const ToolbarRow &row : toolbarTable()) {
            if (row.id == Tool::None)
                continue;
            const QString name = QLatin1String(kToolbarPrefix) + QLatin1String(row.key);
            const QAction *button = window.action(name);
            QVERIFY2(button && !button->icon().isNull(), row.key);
            QCOMPARE(window.findChild<QWidget *>(name)->accessibleName(), button->toolTip());
            QCOMPARE(button->isChecked(), kCheckedAtStart.contains(name));
        }
        QCOMPARE(window.action("inrarace")->text(), QStringLiteral("In Rar"));
        for (const char *name : {"toolbar", "logoPanel", "browserSplitter", "folderTree", "fileList", "queueSplitter",
                                 "ListView1", "totalsPanel", "archiveTypePanel", "archiveSizePanel", "pathsPanel",
                                 "zipPanel", "progressBar", "riptoPanel", "Picture1"}) {
            const QWidget *widget = window.findChild<QWidget *>(name);
            QVERIFY2(widget && !widget->accessibleName().isEmpty(), name);
        }
        QVERIFY(window.findChild<QWidget *>("Frame1"));
    }

    // What a command checks, the others it unchecks, and the setting it writes.
    void commandMarks_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QStringList>("unchecked");
        QTest::addColumn<QString>("setting");
        QTest::newRow("date") << "adate" << QStringList{"adate", "adate2"} << QStringList{"atype", "atype2"}
                              << "sort=4";
        QTest::newRow("pop-up name") << "aname2" << QStringList{"aname", "aname2"} << QStringList{"adate", "atype2"}
                                     << "sort=1";
        QTest::newRow("large font") << "biggest" << QStringList{"biggest"} << QStringList{"flarge", "fnorm"}
                                    << "fonts=12";
        QTest::newRow("small font") << "fnorm" << QStringList{"fnorm"} << QStringList{"flarge"} << "fonts=8";
        QTest::newRow("toolbar large icons") << "toolbar_ilarge" << QStringList{"largei", "toolbar_ilarge"}
                                             << QStringList{"listi", "toolbar_ilist"} << "fonts=10";
        QTest::newRow("pop-up details") << "fvdetails" << QStringList{"details", "fvdetails", "toolbar_detail"}
                                        << QStringList{"listi", "fvlist"} << "sort=3";
        QTest::newRow("toolbar details reach the pop-up")
            << "toolbar_detail" << QStringList{"details", "fvdetails"} << QStringList{"listi", "fvlist"} << "sort=3";
        QTest::newRow("rar maximum") << "rmaximum" << QStringList{"rmaximum"} << QStringList{"rnormal"} << "racomp=5";
        QTest::newRow("zip store") << "zstore" << QStringList{"zstore"} << QStringList{"znormal"} << "zipcomp=0";
        QTest::newRow("diz numbering") << "autonumber" << QStringList{"autonumber"} << QStringList{} << "dnumber=1";
    }

    void commandMarks()
    {
        QFETCH(QString, trigger);
        QFETCH(QStringList, checked);
        QFETCH(QStringList, unchecked);
        QFETCH(QString, setting);
        TestWindow &window = freshWindow();
        window.action(trigger)->trigger();
        emit window.menu("viewfile")->aboutToShow(); // the file list's pop-up takes its marks as it opens
        for (const QString &name : checked)
            QVERIFY2(window.action(name)->isChecked(), qPrintable(name));
        for (const QString &name : unchecked)
            QVERIFY2(!window.action(name)->isChecked(), qPrintable(name));
        const RipSettings &s = window.settings();
        const QHash<QString, QString> values{{"sort", s.sort},
                                             {"fonts", s.fonts},
                                             {"racomp", QString::number(s.racomp)},
                                             {"zipcomp", QString::number(s.zipcomp)},
                                             {"dnumber", QString::number(s.dnumber)}};
        QCOMPARE(values.value(setting.section(u'=', 0, 0)), setting.section(u'=', 1));
    }

    // Before the browser opens anything, the pointer goes to the window's centre, as the toolbar's do.
    void pointerToTheCentre_data()
    {
        // clang-format off
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("moved");
        QTest::newRow("Open file...") << "Openf" << "a.diz" << true;
        QTest::newRow("Explore...") << "explore" << "" << true;
        QTest::newRow("Edit diz - nfo...") << "edit" << "a.diz" << true;
        QTest::newRow("Edit diz - nfo... with nothing selected") << "edit" << "" << false;
        QTest::newRow("the pop-up's Explore...") << "openp" << "" << false;
        QTest::newRow("Open script...") << "openscript" << "" << false;
        // clang-format on
    }

    void pointerToTheCentre()
    {
        QFETCH(QString, entry);
        QFETCH(QString, selected);
        TestWindow &window = freshWindow();
        const QString folder = m_root.fresh();
        makeFile(folder + "/a.diz", "x");
        auto *browser = window.findChild<FileBrowser *>();
        browser->setCurrentFolder(folder);
        QAbstractItemView *view = browser->fileList()->currentView();
        auto *model = static_cast<BrowserModel *>(view->model());
        QVERIFY(QTest::qWaitFor([model] { return !model->isLoading(); }));
        if (!selected.isEmpty())
            view->selectionModel()->select(model->index(folder + '/' + selected), QItemSelectionModel::Select);
        QDesktopServices::setUrlHandler("file", this, "openedUrl"); // nothing really opens
        const QPoint away = window.frameGeometry().topLeft() + QPoint(3, 3);
        QCursor::setPos(away);
        window.action(entry)->setEnabled(true);
        window.action(entry)->trigger();
        QDesktopServices::unsetUrlHandler("file");
        const QRect frame = window.frameGeometry();
        QTEST(QCursor::pos() == QPoint(frame.left() + frame.width() / 2, frame.top() + frame.height() / 2), "moved");
    }

    void editWithoutSelectionDisablesItself()
    {
        TestWindow &window = freshWindow();
        window.action("toolbar_edit")->setEnabled(true);
        window.action("edit")->setEnabled(true);
        QSignalSpy edits(window.action("edit"), &QAction::triggered);
        window.action(QStringLiteral("toolbar_edit"))->trigger();
        QCOMPARE(edits.count(), 0);
        QVERIFY(!window.action("toolbar_edit")->isEnabled());
        QVERIFY(!window.action("edit")->isEnabled());
    }

    // A right press on a panel or the file list opens its own pop-up.
    void popups_data()
    {
        // clang-format off
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("popup");
        QTest::newRow("rip-to") << "riptoPanel" << "riptom";
        QTest::newRow("zip") << "zipPanel" << "zipm";
        QTest::newRow("archive type") << "archiveTypePanel" << "rarm";
        QTest::newRow("paths") << "pathsPanel" << "pathsp";
        QTest::newRow("file list") << "fileList" << "filepop";
        // clang-format on
    }

    void popups()
    {
        QFETCH(QString, panel);
        QFETCH(QString, popup);
        TestWindow &window = freshWindow();
        QWidget *target = window.findChild<QWidget *>(panel);
        if (auto *stack = qobject_cast<QStackedWidget *>(target)) {
            // The list's views ask for their pop-up as the desktop does, by a context-menu event.
            QWidget *viewport = qobject_cast<QAbstractScrollArea *>(stack->currentWidget())->viewport();
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(viewport, &event);
        } else {
            QTest::mousePress(target, Qt::RightButton, {}, QPoint(5, 5));
        }
        QTRY_VERIFY(window.menu(popup)->isVisible());
        window.menu(popup)->close();
    }

    void escapeStopsTheZip()
    {
        TestWindow &window = freshWindow();
        QTest::keyClick(window.findChild<QWidget *>("ListView1"), Qt::Key_Escape);
        QVERIFY(window.ripState().zipAbortRequested);
    }

    void layout_data()
    {
        QTest::addColumn<LayoutInput>("in");
        QTest::addColumn<QList<int>>(
            "expected"); // browser height, queue top, queue height, splitter, rip-to width, corner left
        QTest::newRow("normal") << LayoutInput{9600, 6000, 7270, 1500, 2410, false}
                                << QList<int>{3650, 4100, 1500, 2410, 2310, 9320};
        QTest::newRow("queue too tall") << LayoutInput{9600, 6000, 7270, 4300, 2410, false}
                                        << QList<int>{3150, 3600, 2000, 2410, 2310, 9320};
        QTest::newRow("narrow list") << LayoutInput{9000, 6000, 7270, 1500, 8000, false}
                                     << QList<int>{3650, 4100, 1500, 7670, 1710, 8720};
        QTest::newRow("narrow list, splitter left")
            << LayoutInput{2400, 6000, 7270, 1500, 2000, false} << QList<int>{3650, 4100, 1500, 2000, -4890, 2120};
        QTest::newRow("maximised") << LayoutInput{19200, 14000, 15000, 1500, 2410, true}
                                   << QList<int>{11650, 12100, 1500, 2410, 12200, 19210};
    }

    void layout()
    {
        QFETCH(LayoutInput, in);
        QFETCH(QList<int>, expected);
        const WindowLayout out = layoutWindow(in);
        QCOMPARE((QList<int>{out.browser.height, out.queue.top, out.queueHeight, out.splitterPosition, out.ripto.width,
                             out.corner.left}),
                 expected);
        QCOMPARE(out.ripto.top, in.innerHeight - 315);
    }

    // varko2k.ini applied against a 1024 by 768 screen.
    void geometryFromStateFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRect>("geometry"); // pixels
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<int>("splitter"); // the folder tree's width
        const QByteArray head =
            "Version=v1.38\r\nState= 0\r\nTop= 1500\r\nLeft= 3000\r\nHeight= 6000\r\nWidth= 9000\r\n";
        const QByteArray panels = "Panel1.width= 2410\r\nPanel3.top= 1500\r\n", tail = panels + "Dir=/\r\n";
        QTest::newRow("as stored") << head + tail << QRect(200, 100, 600, 400) << false << 160;
        QTest::newRow("Panel1.width 2099 halves the splitter as wide as this window has it")
            << head + QByteArray(tail).replace("2410", "2099") << QRect(200, 100, 600, 400) << false
            << 299; // not half of the 658 it was built with
        QTest::newRow("top 0, height 2999, width too wide")
            << "Version=v1.38\r\nState= 0\r\nTop= 0\r\nLeft= 0\r\nHeight= 2999\r\nWidth= 20000\r\n" + tail
            << QRect(317, 296, 520, 333) << false << 160; // the minimum size holds
        QTest::newRow("state 1 is normal")
            << QByteArray(head).replace("State= 0", "State= 1") + tail << QRect(200, 100, 600, 400) << false << 160;
        QTest::newRow("state 2") << "Version=v1.38\r\nState= 2\r\nTop= 0\r\nLeft= 0\r\nHeight= 0\r\nWidth= 0\r\n" + tail
                                 << QRect() << true << 160;
        QTest::newRow("8 lines: defaults") << head + panels << QRect(317, 209, 660, 484) << false << 160;
    }

    void geometryFromStateFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QRect, geometry);
        QFETCH(bool, maximized);
        const QString data = m_root.fresh();
        makeFile(data + "/varko2k.ini", file);
        TestWindow window;
        window.startIn(data);
        QCOMPARE(window.isMaximized(), maximized);
        if (!maximized)
            QCOMPARE(QRect(window.pos(), window.size()), geometry);
        QCOMPARE(readLines(data + "/varko2k.ini").size(), 9);
        QTEST(window.findChild<QSplitter *>("browserSplitter")->sizes().value(0), "splitter");
    }

    void minimisedCloseStoresCentredWindow()
    {
        const QString data = m_root.fresh();
        TestWindow window;
        window.startIn(data);
        window.showMinimized();
        window.close();
        QCOMPARE(readLines(data + "/varko2k.ini").mid(1, 5),
                 (QStringList{"State= 0", "Top= 4650", "Left= 4755", "Height= 7270", "Width= 9900"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
