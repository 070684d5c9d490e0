// Varko 2000 — options.ini byte for byte, and every way a bad file is read.
#include "store/lineformat.h"
#include "store/optionsfile.h"
#include "settingsfiles.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestOptionsFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("options.ini"));
    }

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
        QTest::newRow("very long comment") << 18 << "comment= " + QString(100000, u'c') << "comment" << QString(100000, u'c');
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
        QCOMPARE(settings.size, qint16(7));     // the failing line
        QCOMPARE(settings.racomp, qint16(1));   // not reached
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

    void saveFailsInMissingFolder()
    {
        const QString path = m_dir->filePath(QStringLiteral("no/such/folder/options.ini"));
        makeFile(m_path, "old");
        const StoreResult result = OptionsFile(path).saveOptions(RipSettings());
        QVERIFY(!result.ok);
        QCOMPARE(result.message, QStringLiteral("Options.ini save error"));
        QCOMPARE(readFile(m_path), QByteArray("old"));
    }

private:
    QStringList defaultLines() const { return defaultOptionsFile(m_home); }
    const QString m_home = pinnedHome();
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestOptionsFile)
#include "tst_optionsfile.moc"
