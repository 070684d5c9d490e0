// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the settings files byte for byte: options.ini and rip scripts, written, read back and read when damaged.
#include "settingsfiles.h"
#include "store/lineformat.h"
#include "store/optionsfile.h"
#include "store/ripscript.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsFiles : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("options.ini"));
        m_script = m_dir->filePath(QStringLiteral("new rip script.v2k"));
    }

    // options.ini

    void savedAfterDefaultStart()
    {
        // No file: the defaults are written byte for byte, then saved back.
        RipSettings settings;
        QVERIFY(OptionsFile(m_path).loadOptions(settings, nullptr).ok);
        QCOMPARE(readFile(m_path), crlf(defaultLines()));
        QVERIFY(OptionsFile(m_path).saveOptions(settings).ok);

        // The two visible differences: the bare temporary folder, no blank after the layer.
        QStringList saved = defaultLines();
        saved[7] = "tdrive= /tmp";
        saved[19] = "layer= 0";
        QCOMPARE(readFile(m_path), crlf(saved));
    }

    void saveRoundTrip()
    {
        const RipSettings settings = changedSettings(m_home);
        QVERIFY(OptionsFile(m_path).saveOptions(settings).ok);
        QCOMPARE(splitLines(readFile(m_path)).at(10), QStringLiteral("size= 199"));

        RipSettings read;
        read.size = 0;
        QVERIFY(OptionsFile(m_path).loadOptionsIntoDialog(read).ok);
        QCOMPARE(read, settings);
    }

    void startUpRewrites_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QStringList twenty = QStringList(21, "x= 0");
        twenty.removeLast();
        QStringList overflow = QStringList(21, "x= 0");
        overflow[10] = "size= 70000";
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("twenty lines") << crlf(twenty);
        QTest::newRow("size overflows") << crlf(overflow);
        QTest::newRow("truncated mid-line") << crlf(QStringList(5, "warnings= 1")).append("sou");
        QTest::newRow("binary garbage") << QByteArray("\xff\xfe\x00\x01\r\n", 6).repeated(3);
    }
    void startUpRewrites()
    {
        QFETCH(QByteArray, bytes);
        makeFile(m_path, bytes);
        RipSettings settings;
        settings.size = 77;
        QVERIFY(OptionsFile(m_path).loadOptions(settings, nullptr).ok);
        QCOMPARE(readFile(m_path), crlf(defaultLines()));
        QCOMPARE(settings, RipSettings());
    }

    void startUpReads_data()
    {
        // clang-format off
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("savepaths of 2 reads 0") << 10 << "savepaths= 2" << "savepaths" << "0";
        QTest::newRow("rarace of 2 stays 2") << 9 << "rarace= 2" << "rarace" << "2";
        QTest::newRow("zipcomp without blank still reads") << 15 << "zipcomp=4" << "zipcomp" << "4";
        QTest::newRow("racomp without blank reads 0") << 12 << "racomp=4" << "racomp" << "0";
        QTest::newRow("misspelt key read by position") << 12 << "rcomp=  5" << "racomp" << "5";
        QTest::newRow("negative sign sits before the column") << 11 << "size=-4" << "size" << "4";
        QTest::newRow("negative after a blank") << 11 << "size= -4" << "size" << "-4";
        QTest::newRow("riptodir that does not exist") << 16 << "riptodir= /no/such/folder/" << "riptodir" << "HOME/";
        QTest::newRow("tdrive loses its trailing slash") << 8 << "tdrive= /var/tmp/" << "tdrive" << "/var/tmp";
        QTest::newRow("root tdrive stays root") << 8 << "tdrive= /" << "tdrive" << "/";
        QTest::newRow("text keeps trailing blanks") << 18 << "comment= a b  " << "comment" << "a b  ";
        QTest::newRow("fonts of 9 read as is") << 4 << "fonts= 9" << "fonts" << "9";
        QTest::newRow("very long comment")
            << 18 << "comment= " + QString(100000, u'c') << "comment" << QString(100000, u'c');
        // clang-format on
    }
    void startUpReads()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QString, value);
        QStringList lines = defaultLines();
        lines.append("a 22nd line is ignored= 70000");
        lines[line - 1] = text;
        QByteArray bytes = crlf(lines);
        makeFile(m_path, bytes);

        RipSettings settings;
        QVERIFY(OptionsFile(m_path).loadOptions(settings, nullptr).ok);
        QCOMPARE(readFile(m_path), bytes); // read, not replaced
        const SettingSpec &spec = optionsSchema()[line - 1];
        const QString read = spec.number ? QString::number(settings.*spec.number) : settings.*spec.text;
        QTEST(QString::fromLatin1(spec.name), "field");
        QCOMPARE(read, QString(value).replace("HOME", m_home));
    }

    void reloadStopsAtFailingLine()
    {
        QStringList lines = defaultLines();
        lines[0] = "warnings= 0";
        lines[10] = "size= 99999";
        lines[11] = "racomp= 5";
        makeFile(m_path, crlf(lines));
        RipSettings settings;
        settings.size = 7;
        settings.racomp = 1;
        OptionsFile(m_path).reloadOptions(settings, nullptr);
        QCOMPARE(settings.warnings, qint16(0)); // read before the failing line
        QCOMPARE(settings.size, qint16(7)); // the failing line
        QCOMPARE(settings.racomp, qint16(1)); // not reached
        QCOMPARE(readFile(m_path), crlf(lines));
    }

    void dialogLoadReportsFailure()
    {
        makeFile(m_path, crlf({"warnings= 0", "sound= 0", "font= "}));
        RipSettings settings;
        const StoreResult result = OptionsFile(m_path).loadOptionsIntoDialog(settings);
        QVERIFY(!result.ok);
        QCOMPARE(result.message, QStringLiteral("Load options error"));
        QCOMPARE(settings.sound, qint16(0));
    }

    // Rip scripts

    void emptyQueueIsFourteenLines()
    {
        QVERIFY(writeScript(m_script, RipSettings(), {}).ok);
        QCOMPARE(readFile(m_script), crlf(header()));
    }

    void roundTrip()
    {
        const RipSettings settings = changedSettings(m_home);
        const QStringList rows{m_home + "/rel/file_id.diz", m_home + "/rel/Ünïcode name.nfo", m_home + "/rel/sub/"};
        QVERIFY(writeScript(m_script, settings, rows).ok);
        QCOMPARE(readFile(m_script),
                 crlf(QStringList{"tdrive= " + m_home, "rarace= 0", "savepaths= 1", "size= 199", "racomp= 5", "zip= 0",
                                  "nfo1st= 1", "zipcomp= 0", "riptodir= /tmp/", "zcomment= 1",
                                  "comment= " + m_home + "/comment with blanks.txt", "dnumber= 1", "extra= ", "extra= "}
                      + rows));

        // Settings the script does not hold stay as they were.
        RipSettings read = settings;
        read.tdrive = read.riptodir = read.comment = QString();
        read.rarace = read.savepaths = read.size = read.racomp = read.zip = read.nfo1st = read.zipcomp = read.zcomment =
            read.dnumber = 7;
        const ScriptRead result = readScript(m_script, read, nullptr);
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
        makeFile(m_script, crlf(header()) + rowBytes);
        RipSettings settings;
        const ScriptRead result = readScript(m_script, settings, nullptr);
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
        makeFile(m_script, crlf(lines));
        RipSettings settings;
        QVERIFY(readScript(m_script, settings, nullptr).result.ok);
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
        makeFile(m_script, bytes);
        RipSettings settings;
        settings.racomp = 9;
        const ScriptRead result = readScript(m_script, settings, nullptr);
        QVERIFY(!result.result.ok);
        QCOMPARE(result.result.message, m_script + "\n\ncouldn't be loaded");
        QVERIFY(result.rowPaths.isEmpty());
        QTEST(int(settings.racomp), "racompAfter");
        QCOMPARE(readFile(m_script), bytes);
    }

    // A folder that is gone: each file says so, and an older options.ini stays as it was.
    void savesIntoAMissingFolderFail()
    {
        makeFile(m_path, "old");
        const StoreResult options =
            OptionsFile(m_dir->filePath("no/such/folder/options.ini")).saveOptions(RipSettings());
        QVERIFY(!options.ok);
        QCOMPARE(options.message, QStringLiteral("Options.ini save error"));
        QCOMPARE(readFile(m_path), QByteArray("old"));
        const QString path = m_dir->filePath(QStringLiteral("missing/x.v2k"));
        const StoreResult script = writeScript(path, RipSettings(), {});
        QVERIFY(!script.ok);
        QCOMPARE(QStringList({script.message, script.title}),
                 QStringList({path + "\n\ncouldn't be saved", "Varko 2000"}));
        QCOMPARE(script.icon, MessageIcon::Warning);
    }

    // A name with .v2k, and New rip script's name, are the scripts_and_recent journey's.
    void scriptNames_data()
    {
        // clang-format off
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension gets one") << "/r/rel" << "/r/rel.v2k";
        QTest::newRow("extension in capitals kept") << "/r/REL.V2K" << "/r/REL.V2K";
        QTest::newRow("another extension gets one") << "/r/rel.v2k.txt" << "/r/rel.v2k.txt.v2k";
        // clang-format on
    }
    void scriptNames()
    {
        QFETCH(QString, chosen);
        QTEST(scriptSaveAsPath(chosen), "saved");
    }

private:
    QStringList defaultLines() const { return defaultOptionsFile(m_home); }
    QStringList header() const { return defaultScriptHeader(m_home); }
    const QString m_home = pinnedHome();
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_script;
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
