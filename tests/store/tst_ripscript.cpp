// Varko 2000 — rip scripts byte for byte, read back, and read when damaged.
#include "store/lineformat.h"
#include "store/ripscript.h"
#include "settingsrecorder.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

class TestRipScript : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("new rip script.v2k"));
    }

    void emptyQueueIsFourteenLines()
    {
        QVERIFY(writeScript(m_path, RipSettings(), {}).ok);
        QCOMPARE(readFile(m_path), crlf(header()));
    }

    void roundTrip()
    {
        RipSettings settings;
        settings.tdrive = m_home;
        settings.rarace = 0;
        settings.savepaths = 1;
        settings.size = 0;
        settings.racomp = 0;
        settings.zip = 0;
        settings.nfo1st = 1;
        settings.zipcomp = 5;
        settings.riptodir = "/tmp/";
        settings.zcomment = 1;
        settings.comment = m_home + "/Comment.TXT";
        settings.dnumber = 1;
        const QStringList rows{m_home + "/rel/file_id.diz", m_home + "/rel/Ünïcode name.nfo", m_home + "/rel/sub/"};
        QVERIFY(writeScript(m_path, settings, rows).ok);
        QCOMPARE(splitLines(readFile(m_path)).mid(14), rows);

        // Settings the script does not hold stay as they were.
        RipSettings read;
        read.warnings = 0;
        read.layer = 1;
        const ScriptRead result = readScript(m_path, read, nullptr);
        QVERIFY(result.result.ok);
        QCOMPARE(result.rowPaths, rows);
        RipSettings expected = settings;
        expected.warnings = 0;
        expected.layer = 1;
        QCOMPARE(read, expected);
    }

    void readsRows_data()
    {
        QTest::addColumn<QByteArray>("rowBytes");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("none") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("/a/b\r\n/a/c\r\n") << QStringList{"/a/b", "/a/c"};
        QTest::newRow("an empty line ends the rows") << QByteArray("/a/b\r\n\r\n/a/c\r\n") << QStringList{"/a/b"};
        QTest::newRow("first row empty") << QByteArray("\r\n/a/c\r\n") << QStringList();
        QTest::newRow("line without a separator kept") << QByteArray("name\r\n") << QStringList{"name"};
    }
    void readsRows()
    {
        QFETCH(QByteArray, rowBytes);
        makeFile(m_path, crlf(header()) + rowBytes);
        RipSettings settings;
        SettingsRecorder window;
        const ScriptRead result = readScript(m_path, settings, &window);
        QVERIFY(result.result.ok);
        QTEST(result.rowPaths, "rows");
        QCOMPARE(window.seen.size(), 12);
        QVERIFY(window.seen.first().origin == SettingsMirrors::Origin::Script);
    }

    void zcommentReadsOneOnlyWhenExactlyOne_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("value");
        QTest::newRow("2") << "zcomment= 2" << 0;
        QTest::newRow("-1") << "zcomment=-1" << 1; // the sign sits before the value column
        QTest::newRow("0.6 rounds to 1") << "zcomment= 0.6" << 1;
    }
    void zcommentReadsOneOnlyWhenExactlyOne()
    {
        QFETCH(QString, line);
        QStringList lines = header();
        lines[9] = line;
        makeFile(m_path, crlf(lines));
        RipSettings settings;
        QVERIFY(readScript(m_path, settings, nullptr).result.ok);
        QTEST(int(settings.zcomment), "value");
    }

    void damagedScriptCouldNotBeLoaded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("racompAfter"); // settings read before the failure keep their values
        QStringList overflow = header();
        overflow[3] = "size= 40000";
        overflow[4] = "racomp= 1";
        QStringList racompFirst = header();
        racompFirst[4] = "racomp= 0";
        racompFirst[7] = "zipcomp= 99999";
        QTest::newRow("empty file") << QByteArray() << 9;
        QTest::newRow("thirteen lines") << crlf(header().mid(0, 13)) << 3;
        QTest::newRow("size out of range") << crlf(overflow) << 9;
        QTest::newRow("zipcomp out of range") << crlf(racompFirst) << 0;
    }
    void damagedScriptCouldNotBeLoaded()
    {
        QFETCH(QByteArray, bytes);
        makeFile(m_path, bytes);
        RipSettings settings;
        settings.racomp = 9;
        const ScriptRead result = readScript(m_path, settings, nullptr);
        QVERIFY(!result.result.ok);
        QCOMPARE(result.result.message, m_path + "\n\ncouldn't be loaded");
        QVERIFY(result.rowPaths.isEmpty());
        QTEST(int(settings.racomp), "racompAfter");
        QCOMPARE(readFile(m_path), bytes);
    }

    void unwritablePathCouldNotBeSaved()
    {
        const QString path = m_dir->filePath(QStringLiteral("missing/x.v2k"));
        const StoreResult result = writeScript(path, RipSettings(), {});
        QVERIFY(!result.ok);
        QCOMPARE(QStringList({result.message, result.title}), QStringList({path + "\n\ncouldn't be saved", "Varko 2000"}));
        QCOMPARE(result.icon, MessageIcon::Warning);
        const ScriptRead missing = readScript(path, *std::make_unique<RipSettings>(), nullptr);
        QCOMPARE(missing.result.message, path + "\n\ncouldn't be loaded");
    }

    void scriptNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension gets one") << "/r/Rel 1" << "/r/Rel 1.v2k";
        QTest::newRow("extension kept") << "/r/rel.v2k" << "/r/rel.v2k";
        QTest::newRow("extension in capitals kept") << "/r/REL.V2K" << "/r/REL.V2K";
        QTest::newRow("another extension gets one") << "/r/rel.v2k.txt" << "/r/rel.v2k.txt.v2k";
    }
    void scriptNames()
    {
        QFETCH(QString, chosen);
        QTEST(scriptSaveAsPath(chosen), "saved");
        QCOMPARE(newScriptPath("/"), QStringLiteral("/New rip script.v2k"));
        QCOMPARE(newScriptPath("/r/"), QStringLiteral("/r/New rip script.v2k"));
        QCOMPARE(newScriptPath("/r"), QStringLiteral("/r/New rip script.v2k"));
    }

private:
    QStringList header() const
    {
        return {"tdrive= /tmp", "rarace= 1", "savepaths= 0", "size= 3", "racomp= 3", "zip= 1", "nfo1st= 0",
                "zipcomp= 3", "riptodir= " + m_home + "/", "zcomment= 0", "comment= ", "dnumber= 0", "extra= ", "extra= "};
    }
    const QString m_home = pinnedHome();
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestRipScript)
#include "tst_ripscript.moc"
