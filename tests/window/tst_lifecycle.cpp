// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a second start, start-up on broken files, scripts at start, leftover work folders.
#include "app/singleinstance.h"
#include "engine/leftoverfolders.h"
#include "testwindow.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

class TestLifecycle : public QObject
{
    Q_OBJECT

    ScratchFolders m_root;

    // The program's environment with `data` as its data folder.
    QProcessEnvironment programEnvironment(const QString &data) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VARKO_HOME", data);
        env.insert("XDG_RUNTIME_DIR", m_root.path()); // else Qt warns on standard error
        return env;
    }

private slots:
    void initTestCase() { isolateUserFolders(m_root.path()); }

    void secondInstanceHandsOver()
    {
        const QString key = QStringLiteral("varko2000-test-%1").arg(QCoreApplication::applicationPid());
        SingleInstance first(key);
        QSignalSpy shown(&first, &SingleInstance::activationRequested);
        QVERIFY(first.claim());
        SingleInstance second(key);
        QVERIFY(!second.claim());
        QTRY_COMPARE(shown.count(), 1);
    }

    // The program itself: the forms that need no window, and a second start.
    void commandLine_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("firstLine"); // of standard output, else of standard error
        QTest::addColumn<bool>("display");
        QTest::newRow("help") << QStringList{"--help"} << 0
                              << "usage: varko2000                      open the main window" << true;
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Varko 2000 v1.38" << true;
        QTest::newRow("unknown") << QStringList{"--bogus"} << 2 << "varko2000: unknown option --bogus" << true;
        QTest::newRow("second start") << QStringList{} << 0 << "" << true;
        QTest::newRow("no display") << QStringList{"a.v2k"} << 2
                                    << "varko2000: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are "
                                       "not set); --pack, --test and --repair work without one" << false;
        QTest::newRow("no display, --version") << QStringList{"--version"} << 0 << "Varko 2000 v1.38" << false;
        // clang-format on
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, firstLine);
        QFETCH(bool, display);
        QProcessEnvironment env = programEnvironment(m_root.fresh());
        env.insert("DISPLAY", "varko-test-" + QString::number(QCoreApplication::applicationPid()));
        if (!display) {
            for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                env.remove(name);
        }
        const QString program = QCoreApplication::applicationDirPath() + "/varko2000";
        QProcess first; // running only for the second start
        first.setProcessEnvironment(env);
        if (arguments.isEmpty()) {
            first.start(program, {});
            QTRY_VERIFY(QFile::exists(env.value("VARKO_HOME") + "/varko2k.ini"));
        }
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(program, arguments);
        QVERIFY(run.waitForFinished(20000));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), status);
        const QByteArray error = run.readAllStandardError();
        QString output = QString::fromUtf8(run.readAllStandardOutput());
        if (output.isEmpty())
            output = QString::fromUtf8(error);
        QCOMPARE(output.section(u'\n', 0, 0), firstLine);
        if (arguments.isEmpty()) {
            QVERIFY(error.isEmpty());
            QCOMPARE(first.state(), QProcess::Running);
            first.terminate();
            QVERIFY(first.waitForFinished(20000));
        }
    }

    // A stop signal closes the window through its shutdown, which writes the state file again.
    void stopSignalClosesTheWindow_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("status");
        QTest::newRow("SIGTERM") << int(SIGTERM) << 143;
        QTest::newRow("SIGINT") << int(SIGINT) << 130;
        QTest::newRow("SIGHUP") << int(SIGHUP) << 129;
    }

    void stopSignalClosesTheWindow()
    {
        QFETCH(int, signal);
        QFETCH(int, status);
        const QString data = m_root.fresh();
        QDir().mkpath(data + "/tmp");
        QProcessEnvironment env = programEnvironment(data);
        env.insert("TMPDIR", data + "/tmp");
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(QCoreApplication::applicationDirPath() + "/varko2000", {});
        const QString stateFile = data + "/varko2k.ini";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(stateFile), 20000); // start-up writes it
        QVERIFY(QFile::remove(stateFile));
        ::kill(pid_t(run.processId()), signal);
        QVERIFY(run.waitForFinished(20000));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), status);
        QVERIFY(QFile::exists(stateFile));
    }

    // Short files and absurd numbers are the readers' (tst_settingsfiles, tst_windowstate): here the window.
    void brokenFilesStillStart()
    {
        const QString data = m_root.fresh();
        makeFile(data + "/options.ini", QByteArray(4096, '\0'));
        makeFile(data + "/varko2k.ini", QByteArray(4096, '\0'));
        TestWindow window;
        window.startIn(data);
        QVERIFY(window.isVisible());
        QVERIFY(window.messages.isEmpty());
        QCOMPARE(readLines(data + "/options.ini").size(), 21);
        QVERIFY(readLines(data + "/varko2k.ini").size() >= 9);
        QVERIFY(window.width() >= 520 && window.height() >= 333);
        window.close();
        QCOMPARE(readLines(data + "/varko2k.ini").size(), 9);
    }

    void unwritableDataFolderStillStarts()
    {
        const QString notAFolder = m_root.filePath("file");
        makeFile(notAFolder, "x");
        TestWindow window;
        window.startIn(notAFolder);
        QVERIFY(window.isVisible());
        QVERIFY(window.messages.isEmpty());
        QCOMPARE(window.settings(), RipSettings());
        window.close();
        QCOMPARE(QDir(m_root.path()).entryList({"*.ini"}, QDir::Files), QStringList());
    }

    void ripToFolderChoice_data()
    {
        // clang-format off
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("riptodir");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a folder") << "%1" << "%1/" << QStringList{};
        QTest::newRow("gone") << "%1/gone" << QDir::homePath() + "/"
                              << QStringList{"Varko 2000 error|Invalid drive/folder"};
        // clang-format on
    }

    void ripToFolderChoice()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, riptodir);
        QFETCH(QStringList, messages);
        TestWindow window;
        window.startIn(m_root.fresh());
        const QString folder = m_root.fresh();
        window.setRipToFolder(chosen.replace("%1", folder));
        QCOMPARE(window.settings().riptodir, riptodir.replace("%1", folder));
        QCOMPARE(window.findChild<QLabel *>("riptoPanel")->text(), riptodir + "          ");
        QCOMPARE(window.messages, messages);
    }

    void scriptOnCommandLine_data()
    {
        // clang-format off
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("ripto"); // the script's, else options.ini's
        QTest::newRow("readable, with !") << "!%1/A.v2k" << "Varko 2000 - %1/A.v2k" << "" << "/";
        QTest::newRow("missing") << "%1/gone.v2k" << "Varko 2000"
                                 << "Varko 2000|%1/gone.v2k\n\ncouldn't be loaded" << QDir::homePath() + "/";
        // clang-format on
    }

    void scriptOnCommandLine()
    {
        QFETCH(QString, argument);
        QFETCH(QString, title);
        QFETCH(QString, message);
        const QString data = m_root.fresh();
        makeFile(data + "/A.v2k",
                 "tdrive= /tmp\r\nrarace= 0\r\nsavepaths= 1\r\nsize= 4\r\nracomp= 5\r\nzip= 1\r\n"
                 "nfo1st= 1\r\nzipcomp= 2\r\nriptodir= /\r\nzcomment= 0\r\ncomment= \r\n"
                 "dnumber= 1\r\nextra= \r\nextra= \r\n");
        TestWindow window;
        window.startIn(data, argument.arg(data));
        QCOMPARE(window.windowTitle(), title.arg(data));
        QCOMPARE(window.messages.join(u'\n'), message.replace("%1", data));
        const bool opened = message.isEmpty();
        QCOMPARE(window.action("sscript")->isEnabled(), opened);
        QCOMPARE(window.action("mnuFile2")->isVisible(), opened);
        QCOMPARE(window.action("acec")->isChecked(), opened); // the script's settings reached the menus
        QCOMPARE(window.browserFolder(), data);
        QFETCH(QString, ripto);
        QCOMPARE(window.findChild<QLabel *>("riptoPanel")->text(), ripto + QString(10, u' '));
    }

    // Entry 2's mark is the list's (set by a script opened or saved, taken by a clear), not the click's.
    void recentEntryKeepsItsMark_data()
    {
        QTest::addColumn<bool>("exists"); // as an empty file, which cannot be loaded
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("checked");
        QTest::newRow("moved") << false << false << "%1 has moved" << true;
        QTest::newRow("moved, after a clear") << false << true << "%1 has moved" << false;
        QTest::newRow("fails to load") << true << false << "%1\n\ncouldn't be loaded" << true;
        QTest::newRow("fails to load, after a clear") << true << true << "%1\n\ncouldn't be loaded" << true;
    }

    void recentEntryKeepsItsMark()
    {
        QFETCH(bool, exists);
        QFETCH(bool, cleared);
        QFETCH(QString, message);
        TestWindow window;
        window.startIn(m_root.fresh());
        const QString script = m_root.fresh() + "/recent.v2k";
        if (exists)
            makeFile(script, "");
        window.scripts().addRecent(script);
        if (cleared)
            window.clearQueue();
        window.action("mnuFile2")->trigger();
        QCOMPARE(window.messages, QStringList{"Varko 2000|" + message.arg(script)});
        QCOMPARE(window.scripts().recentScripts().fileCount(), 1);
        QTEST(window.action("mnuFile2")->isChecked(), "checked");
    }

    void leftoverWorkFolders()
    {
        const QString temp = m_root.fresh();
        const QString outside = m_root.fresh();
        makeFile(outside + "/keep.txt", "x");
        for (const char *name : {"~Varko01", "~Varko7x", "~Varko123", "~Varko1", "~varko02", "Varko03"}) {
            QDir().mkpath(temp + '/' + name + "/sub");
            makeFile(temp + '/' + name + "/sub/f", "x");
        }
        QVERIFY(QFile::link(outside, temp + "/~Varko02"));
        QCOMPARE(removeLeftoverWorkFolders(temp), 2);
        QCOMPARE(QDir(temp).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{"Varko03", "~Varko02", "~Varko1", "~Varko123", "~varko02"}));
        QVERIFY(QFile::exists(outside + "/keep.txt"));
    }
};

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
