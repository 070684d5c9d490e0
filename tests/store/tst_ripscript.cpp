// Varko 2000 — rip scripts byte for byte, read back, and read when damaged.
#include "store/lineformat.h"
#include "store/ripscript.h"
#include "settingsfiles.h"
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
        const RipSettings settings = changedSettings(m_home);
        const QStringList rows{m_home + "/rel/file_id.diz", m_home + "/rel/Ünïcode name.nfo", m_home + "/rel/sub/"};
        QVERIFY(writeScript(m_path, settings, rows).ok);
        QCOMPARE(readFile(m_path), crlf(QStringList{"tdrive= " + m_home, "rarace= 0", "savepaths= 1", "size= 199",
                                                    "racomp= 5", "zip= 0", "nfo1st= 1", "zipcomp= 0",
                                                    "riptodir= /tmp/", "zcomment= 1",
                                                    "comment= " + m_home + "/comment with blanks.txt", "dnumber= 1",
                                                    "extra= ", "extra= "} + rows));

        // Settings the script does not hold stay as they were.
        RipSettings read = settings;
        read.tdrive = read.riptodir = read.comment = QString();
        read.rarace = read.savepaths = read.size = read.racomp = read.zip = read.nfo1st = read.zipcomp = read.zcomment
            = read.dnumber = 7;
        const ScriptRead result = readScript(m_path, read, nullptr);
        QVERIFY(result.result.ok);
        QCOMPARE(result.rowPaths, rows);
        QCOMPARE(read, settings);
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
        const ScriptRead result = readScript(m_path, settings, nullptr);
        QVERIFY(result.result.ok);
        QTEST(result.rowPaths, "rows");
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
    }

    void scriptNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("extension kept") << "/r/rel.v2k" << "/r/rel.v2k";
        QTest::newRow("extension in capitals kept") << "/r/REL.V2K" << "/r/REL.V2K";
        QTest::newRow("another extension gets one") << "/r/rel.v2k.txt" << "/r/rel.v2k.txt.v2k";
    }
    void scriptNames()
    {
        QFETCH(QString, chosen);
        QTEST(scriptSaveAsPath(chosen), "saved");
        QCOMPARE(newScriptPath("/"), QStringLiteral("/New rip script.v2k"));
    }

private:
    QStringList header() const { return defaultScriptHeader(m_home); }
    const QString m_home = pinnedHome();
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestRipScript)
#include "tst_ripscript.moc"
