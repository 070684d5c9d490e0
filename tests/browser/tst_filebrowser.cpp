// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the file browser as the window drives it: enabling, clipboard, trash, naming, opening, dragging.
#include "browser/browserclipboard.h"
#include "browser/browserfolders.h"
#include "browser/browserlist.h"
#include "browser/browsermodel.h"
#include "browser/filebrowser.h"
#include "dialogs/propertiesdialog.h"
#include "testfiles.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

namespace {

const QStringList kCommandNames{"Openf", "copyf", "cutf", "delete", "edit", "fileprop", "fileprop3"};
const QStringList kActionNames =
    kCommandNames + QStringList{"toolbar_edit", "pastef", "cshortcut", "newfolder", "cdiz"};

/** A browser on a folder of its own, in a splitter that owns it, driven through named actions. */
struct Browser
{
    explicit Browser(const QStringList &files)
    {
        writeTree(folder.path(), files);
        browser = new FileBrowser(&splitter, folder.path());
        for (const QString &name : kActionNames)
            actions.insert(name, new QAction(name, &splitter));
        browser->connectActions([this](const QString &name) { return actions.value(name); }, nullptr);
        if (!loaded())
            qWarning("the test folder did not load");
    }
    // The list reads its folder in slices between the window's events.
    bool loaded() const
    {
        return QTest::qWaitFor([this] { return !model()->isLoading(); });
    }
    bool reloaded() const
    {
        model()->reload();
        return loaded();
    }
    QAbstractItemView *view() const { return browser->fileList()->currentView(); }
    BrowserModel *model() const { return static_cast<BrowserModel *>(view()->model()); }
    QModelIndex index(const QString &name) const { return model()->index(folder.filePath(name)); }
    void select(const QStringList &names) const
    {
        QItemSelection selection;
        for (const QString &name : names)
            selection.select(index(name), index(name));
        view()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    QString enabled() const
    {
        QStringList names;
        for (const QString &name : kCommandNames) {
            if (actions.value(name)->isEnabled())
                names << name;
        }
        return names.join(' ');
    }
    QStringList selectedNames() const
    {
        QStringList names;
        for (const QString &path : browser->selectedPaths())
            names << QFileInfo(path).fileName();
        return names;
    }

    QTemporaryDir folder;
    QSplitter splitter;
    FileBrowser *browser;
    QHash<QString, QAction *> actions;
};

} // namespace

class TestFileBrowser : public QObject
{
    Q_OBJECT

public slots:
    void openedUrl(const QUrl &url) { m_opened << url.toLocalFile(); }

private slots:
    void enabling_data()
    {
        // clang-format off
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QStringList>("selected");
        const QString all = "Openf copyf cutf delete fileprop fileprop3";
        const QString allAndEdit = "Openf copyf cutf delete edit fileprop fileprop3";
        QTest::newRow("start") << "" << "fileprop" << QStringList();
        QTest::newRow("a text file") << "select:b.txt" << all << QStringList{"b.txt"};
        QTest::newRow("a diz offers editing") << "select:a.diz" << allAndEdit << QStringList{"a.diz"};
        QTest::newRow("README.DIZ does not") << "select:README.DIZ" << all << QStringList{"README.DIZ"};
        QTest::newRow("copy disables itself") << "select:b.txt copyf"
                                              << "Openf cutf delete fileprop fileprop3" << QStringList{"b.txt"};
        QTest::newRow("cut disables itself") << "select:b.txt cutf"
                                             << "Openf copyf delete fileprop fileprop3" << QStringList{"b.txt"};
        QTest::newRow("the next selection enables copy")
            << "select:b.txt copyf select:a.diz" << allAndEdit << QStringList{"a.diz"};
        QTest::newRow("a press on a selection enables copy and cut")
            << "select:b.txt copyf cutf press" << all << QStringList{"b.txt"};
        QTest::newRow("the pop-up takes editing away") << "select:a.diz popup" << all << QStringList{"a.diz"};
        QTest::newRow("focus lost deselects") << "select:a.diz focusout" << "fileprop" << QStringList();
        QTest::newRow("focus to a menu keeps all") << "select:a.diz menufocus" << allAndEdit << QStringList{"a.diz"};
        QTest::newRow("Alt and a menu letter keep all") << "select:a.diz menubar" << allAndEdit << QStringList{"a.diz"};
        QTest::newRow("a press without a selection") << "select:b.txt focusout press" << "fileprop" << QStringList();
        QTest::newRow("a new diz is selected for editing")
            << "select:b.txt cdiz" << allAndEdit << QStringList{"New file_id.diz"};
        // clang-format on
    }
    void enabling()
    {
        QFETCH(QString, steps);
        const Browser b({"a.diz=", "b.txt=", "README.DIZ="});
        const QHash<QString, Qt::FocusReason> focusReasons{{"focusout", Qt::MouseFocusReason},
                                                           {"menufocus", Qt::PopupFocusReason},
                                                           {"menubar", Qt::MenuBarFocusReason}};
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step.startsWith("select:"))
                b.select({step.mid(7)});
            else if (step == "press")
                emit b.browser->fileList()->pressed();
            else if (step == "popup")
                emit b.view()->customContextMenuRequested({});
            else if (QFocusEvent out(QEvent::FocusOut, focusReasons.value(step)); focusReasons.contains(step))
                QCoreApplication::sendEvent(b.view(), &out);
            else
                b.actions.value(step)->trigger();
        }
        QTEST(b.enabled(), "enabled");
        QCOMPARE(b.actions.value("toolbar_edit")->isEnabled(), b.actions.value("edit")->isEnabled());
        QTEST(b.selectedNames(), "selected");
    }

    void sorting_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("name, whatever the case") << 1 << QStringList{"sub", "A.zip", "b.txt", "c.nfo"};
        QTest::newRow("size") << 2 << QStringList{"sub", "A.zip", "c.nfo", "b.txt"};
        QTest::newRow("type") << 3 << QStringList{"sub", "c.nfo", "b.txt", "A.zip"};
        QTest::newRow("modified") << 4 << QStringList{"sub", "c.nfo", "A.zip", "b.txt"};
    }
    void sorting()
    {
        QFETCH(int, column);
        const Browser b({"b.txt=bbb", "A.zip=a", "c.nfo=cc", "sub/"});
        const QDateTime start(QDate(2001, 2, 3), QTime(4, 5));
        for (const auto &[name, days] : {std::pair{"c.nfo", 0}, {"A.zip", 1}, {"b.txt", 2}})
            QVERIFY(setModified(b.folder.filePath(name), start.addDays(days)));
        QVERIFY(b.reloaded());
        b.browser->setSortColumn(column);
        QStringList names;
        for (int row = 0; row < b.model()->rowCount(); ++row)
            names << b.model()->fileName(b.model()->index(row, 0));
        QTEST(names, "order");
    }

    void aChangedFolderKeepsTheSelection()
    {
        const Browser b({"a.txt=", "b.txt=", "c.txt="});
        b.select({"b.txt", "c.txt"});
        QFile::remove(b.folder.filePath("c.txt"));
        writeTree(b.folder.path(), {"0.txt="});
        QVERIFY(b.reloaded());
        QCOMPARE(b.model()->rowCount(), 3);
        QCOMPARE(b.model()->fileName(b.model()->index(0, 0)), "0.txt");
        QCOMPARE(b.selectedNames(), QStringList{"b.txt"});
    }

    // Copy's and paste's handling of files is tst_browserfiles' paste table; Ctrl+C is keysOfTheList's.
    void cutThenPaste()
    {
        const Browser b({"a b.txt=alpha", "keep.txt=stays", "sub/c.bin=gamma"});
        QTemporaryDir target;
        b.select({"a b.txt", "sub"});
        b.actions.value("cutf")->trigger();
        b.browser->setCurrentFolder(target.path());
        b.actions.value("pastef")->trigger();
        QCOMPARE(readTree(target.path()), QStringList({"a b.txt=alpha", "sub/", "sub/c.bin=gamma"}));
        QCOMPARE(readTree(b.folder.path()), QStringList{"keep.txt=stays"});
        // Moved files are no longer where the clipboard said.
        QVERIFY(clipboardFiles(QGuiApplication::clipboard()->mimeData()).paths.isEmpty());
    }

    void deleteMovesToTheTrash()
    {
        const Browser b({"a.nfo=a", "b.txt=b", "c.txt=c"});
        QTemporaryDir home;
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        QVERIFY(QDir().mkpath(home.filePath("data")));
        b.select({"a.nfo", "c.txt"});
        QString question;
        QTimer::singleShot(0, this, [&question] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        b.browser->deleteSelected();
        QCOMPARE(question, "Move these 2 items to the trash?");
        QCOMPARE(readTree(b.folder.path()), QStringList{"b.txt=b"});
        QCOMPARE(readTree(home.filePath("data/Trash/files")), QStringList({"a.nfo=a", "c.txt=c"}));
        QVERIFY(!b.browser->isCommandEnabled("delete"));
    }

    void naming_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("link") << "cshortcut"
                              << QStringList{"Link to a.txt (2)->a.txt", "Link to a.txt->a.txt", "a.txt=x", "b/"};
        QTest::newRow("new folder") << "newfolder" << QStringList{"New Folder (2)/", "New Folder/", "a.txt=x", "b/"};
    }
    void naming()
    {
        QFETCH(QString, command);
        const Browser b({"a.txt=x", "b/"});
        for (int time = 0; time < 2; ++time) {
            b.select({"a.txt"});
            b.actions.value(command)->trigger();
        }
        QTEST(readTree(b.folder.path()), "after");
    }

    void aVanishedFolderGivesWayToItsNearestParent()
    {
        const Browser b({"a/b/c/x=1"});
        b.browser->setCurrentFolder(b.folder.filePath("a/b/c"));
        QCOMPARE(b.browser->currentFolder(), b.folder.filePath("a/b/c"));
        QVERIFY(QDir(b.folder.filePath("a/b")).removeRecursively());
        QTRY_COMPARE(b.browser->currentFolder(), b.folder.filePath("a"));
    }

    // A double click enters a folder; "Open file..." shows it in the file manager.
    void openingHandsScriptsOver_data()
    {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("command"); // empty: a double click
        QTest::addColumn<QString>("outcome");
        QTest::newRow("rel.v2k") << "rel.v2k" << "" << "script";
        QTest::newRow("upper case") << "REL.V2K" << "" << "script";
        QTest::newRow("only the ending counts") << "rel.v2k.txt" << "" << "opened";
        QTest::newRow("a script by Open file...") << "rel.v2k" << "Openf" << "script";
        QTest::newRow("a folder by a double click") << "sub/" << "" << "entered";
        QTest::newRow("a folder by Open file...") << "sub/" << "Openf" << "opened";
        // clang-format on
    }
    void openingHandsScriptsOver()
    {
        QFETCH(QString, name);
        QFETCH(QString, command);
        QFETCH(QString, outcome);
        const bool folder = name.endsWith('/');
        const Browser b({folder ? name : name + "=x"});
        if (folder)
            name.chop(1);
        QSignalSpy scripts(b.browser, &FileBrowser::scriptRequested);
        m_opened.clear();
        QDesktopServices::setUrlHandler("file", this, "openedUrl");
        if (command.isEmpty()) {
            emit b.view()->activated(b.index(name));
        } else {
            b.select({name});
            b.actions.value(command)->trigger();
        }
        QDesktopServices::unsetUrlHandler("file");
        const QString path = b.folder.filePath(name);
        QCOMPARE(scripts.size() == 1 ? scripts.first().first().toString() : QString(),
                 outcome == "script" ? path : QString());
        QCOMPARE(m_opened, outcome == "opened" ? QStringList{path} : QStringList());
        QCOMPARE(b.browser->currentFolder(), outcome == "entered" ? path : b.folder.path());
    }

    void dragCarriesFileUrls()
    {
        const Browser b({"a b.nfo=x", "c.zip=y", "d.txt=z"});
        b.select({"c.zip", "a b.nfo"});
        const std::unique_ptr<QMimeData> data(b.browser->dragMimeData());
        const QString root = QUrl::fromLocalFile(b.folder.path()).toString();
        QCOMPARE(QString::fromUtf8(data->data("text/uri-list")), root + "/a%20b.nfo\r\n" + root + "/c.zip\r\n");
        // A drop elsewhere may copy or link, never move a file away from the browser.
        QCOMPARE(b.view()->model()->supportedDragActions(), Qt::CopyAction | Qt::LinkAction);
    }

    void keysOfTheList_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("Ctrl+C") << "b.txt" << (Qt::ControlModifier | Qt::Key_C) << "sub copy:b.txt";
        QTest::newRow("Ctrl+X") << "b.txt" << (Qt::ControlModifier | Qt::Key_X) << "sub cut:b.txt";
        QTest::newRow("Enter opens a folder") << "deeper" << QKeyCombination(Qt::Key_Return) << "sub/deeper";
        QTest::newRow("Backspace goes up") << "b.txt" << QKeyCombination(Qt::Key_Backspace) << ".";
        QTest::newRow("Alt+Up goes up") << "b.txt" << (Qt::AltModifier | Qt::Key_Up) << ".";
    }
    void keysOfTheList()
    {
        QFETCH(QString, select);
        QFETCH(QKeyCombination, key);
        const Browser b({"sub/b.txt=x", "sub/deeper/"});
        b.browser->setCurrentFolder(b.folder.filePath("sub"));
        QVERIFY(b.loaded());
        QGuiApplication::clipboard()->clear();
        b.select({"sub/" + select});
        QTest::keyClick(b.view(), key.key(), key.keyboardModifiers());
        QString after = QDir(b.folder.path()).relativeFilePath(b.browser->currentFolder());
        const ClipboardFiles files = clipboardFiles(QGuiApplication::clipboard()->mimeData());
        for (const QString &path : files.paths)
            after += (files.cut ? " cut:" : " copy:") + QFileInfo(path).fileName();
        QTEST(after, "after");
    }

    // The type is the browser's and the queue's too: one name for a file wherever it shows.
    void properties_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("type");
        QTest::newRow("a file of no known type") << QStringList{"a.bin"} << "a.bin" << "1KB (600 bytes)" << "BIN file";
        QTest::newRow("a folder, its total read meanwhile") << QStringList{"sub"} << "sub" << "5KB (5,000 bytes)"
                                                            << "File Folder";
        QTest::newRow("several") << QStringList{"a.bin", "sub"} << "2 items" << "5KB (5,600 bytes)" << "";
        QTest::newRow("an empty file without extension") << QStringList{"empty"} << "empty" << "0 bytes" << "File";
        QTest::newRow("a diz, text by its content") << QStringList{"file_id.diz"} << "file_id.diz" << "1KB (4 bytes)"
                                                    << "DIZ file";
        QTest::newRow("a known type") << QStringList{"b.txt"} << "b.txt" << "1KB (2 bytes)" << "plain text document";
        // clang-format on
    }
    void properties()
    {
        QFETCH(QStringList, paths);
        QFETCH(QString, type);
        const Browser b({"empty=", "file_id.diz=text", "b.txt=hi", "a.bin=", "sub/"});
        makeFile(b.folder.filePath("a.bin"), 600);
        makeFile(b.folder.filePath("sub/b.bin"), 2000);
        makeFile(b.folder.filePath("sub/deep/c.bin"), 3000);
        for (QString &path : paths)
            path = b.folder.filePath(path);
        QWidget owner;
        auto *dialog = new PropertiesDialog(paths, &owner);
        QTEST(dialog->findChild<QLabel *>("nameValue")->text(), "name");
        QTRY_COMPARE(dialog->findChild<QLabel *>("sizeValue")->text() == "Calculating...", false);
        QTEST(dialog->findChild<QLabel *>("sizeValue")->text(), "size");
        if (paths.size() == 1) {
            QCOMPARE(dialog->findChild<QLabel *>("typeValue")->text(), type);
            QCOMPARE(b.model()->index(paths.first()).siblingAtColumn(2).data().toString(), type);
        }
    }

    void theTreeHoldsVisibleFoldersOnly()
    {
        const Browser b({"b/", "A/", ".hidden/", "file.txt="});
        auto *tree = static_cast<BrowserFolderModel *>(b.browser->folderTree()->model());
        const QModelIndex node = tree->index(b.folder.path());
        tree->fetchMore(node);
        QTRY_COMPARE(tree->rowCount(node), 2);
        QCOMPARE(tree->filePath(tree->index(0, 0, node)), b.folder.filePath("A"));
        b.actions.value("newfolder")->trigger();
        QTRY_COMPARE(tree->rowCount(node), 3);
    }

private:
    QStringList m_opened;
};

QTEST_MAIN(TestFileBrowser)
#include "tst_filebrowser.moc"
