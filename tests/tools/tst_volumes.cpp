// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the archivers' shared pieces: CRC, times, volume names, list files, command lines.
#include "naming/volumenaming.h"
#include "testfiles.h"
#include "volumes/archiverargs.h"
#include "volumes/crc32.h"
#include "volumes/dostime.h"
#include "volumes/listfile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <ctime>

using Args = std::vector<std::string>;
Q_DECLARE_METATYPE(Args)

class TestVolumes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        tzset();
    }

    // The check value alone: a spanning file's combined CRC is read back by 7z, unar and unace
    // (tst_archivers) and by the set test over 5 MB across volumes (tst_settest).
    void crc() { QCOMPARE(crc32Update(crc32Update(0, "1234", 4), "56789", 5), 0xCBF43926u); }

    void dosTime_data()
    {
        QTest::addColumn<qint64>("time");
        QTest::addColumn<uint>("value");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<bool>("odd");
        QTest::newRow("the formats' example") << qint64(1614834368) << 0x526428C4u << true << false;
        QTest::newRow("odd second rounds down") << qint64(1614834369) << 0x526428C4u << true << true;
        QTest::newRow("first representable") << qint64(315532800) << 0x00210000u << true << false;
        QTest::newRow("before 1980 clamps") << qint64(0) << 0x00210000u << false << false;
        QTest::newRow("after 2107 clamps") << qint64(4354819200) << 0xFF9FBF7Du << false << false;
    }
    void dosTime()
    {
        QFETCH(qint64, time);
        QFETCH(uint, value);
        QFETCH(bool, exact);
        const DosTime dos = toDosTime(std::time_t(time));
        QCOMPARE(dos.value, value);
        QCOMPARE(dos.exact, exact);
        QTEST(dos.oddSecond, "odd");
    }

    void volumeNames_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        // The names between, past 99 too, are the ones 7z, unar and unace follow through tst_archivers' 103-volume
        // sets.
        QTest::newRow("rar last") << "/w/rel.rar" << 900 << "/w/rel.z99";
        QTest::newRow("numbered last") << "/w/rel.001" << 998 << "/w/rel.999";
        QTest::newRow("ace last") << "/w/rel.ace" << 1000 << "/w/rel.999";
        QTest::newRow("dots in the base name") << "/w/my.rel.v2.rar" << 1 << "/w/my.rel.v2.r00";
        // Index -1: a name that is no volume of the set.
        QTest::newRow("rar has no r100") << "/w/rel.rar" << -1 << "/w/rel.r100";
        QTest::newRow("another extension") << "/w/rel.rar" << -1 << "/w/rel.txt";
        QTest::newRow("another base name") << "/w/rel.rar" << -1 << "/w/other.r00";
        QTest::newRow("ace numbers start at 100") << "/w/rel.ace" << -1 << "/w/rel.099";
    }
    void volumeNames()
    {
        QFETCH(QString, archive);
        QFETCH(int, index);
        QFETCH(QString, name);
        const VolumeNaming naming(archive.toStdString());
        QCOMPARE(naming.isVolumeName(QFileInfo(name).fileName().toStdString()), index >= 0);
        if (index >= 0) {
            QCOMPARE(QString::fromStdString(naming.name(std::size_t(index))), name);
            QVERIFY(std::size_t(index) < naming.maxVolumes());
        }
    }

    void listFile()
    {
        // A byte-order mark, CR LF and LF, an empty line skipped, every form of "the folder's contents".
        QTemporaryDir dir;
        const QString path = makeFile(dir.filePath("ripfiles.txt"),
                                      "\xEF\xBB\xBF/a/b.txt\r\n/a/c d/*\r\n\r\n/a/\xC3\xA9.txt\n"
                                      "/a/win\\*.*\r\n/a/dos/*.*\n/a/slash/\n/*\n/a/last");
        const auto lines = readListFile(path.toStdString());
        QVERIFY(lines);
        QStringList read;
        for (const ListLine &line : *lines)
            read << QString::fromStdString(line.path) + (line.wildcard ? "|*" : "");
        QCOMPARE(read,
                 QStringList({"/a/b.txt", "/a/c d|*", QString::fromUtf8("/a/\xC3\xA9.txt"), "/a/win|*", "/a/dos|*",
                              "/a/slash", "/|*", "/a/last"}));
        QVERIFY(!readListFile(dir.filePath("missing.txt").toStdString()));
    }

    // Every line the rip run writes is run and read back by tst_archivers; here the forms it never writes.
    void commandLine_data()
    {
        QTest::addColumn<bool>("rar");
        QTest::addColumn<Args>("args");
        QTest::addColumn<QString>("parsed"); // paths | volume bytes | level | archive | list; empty: usage
        QTest::newRow("rar quotes left on") << true << Args{"a", "-r0", "-m1", "-y", "\"/w/a b.rar\"", "\"@/x/r.txt\""}
                                            << "paths|0|1|/w/a b.rar|/x/r.txt";
        QTest::newRow("nothing") << true << Args{} << "";
        QTest::newRow("rar -y before the switches") << true << Args{"a", "-r0", "-y", "-m3", "/w/r.rar", "@/l"} << "";
        QTest::newRow("rar ACE volume switch")
            << true << Args{"a", "-r0", "-v1440", "-m3", "-y", "/w/r.rar", "@/l"} << "";
        QTest::newRow("rar volume of 0 bytes")
            << true << Args{"a", "-r0", "-v0b", "-m3", "-y", "/w/r.rar", "@/l"} << "";
        QTest::newRow("rar level 6") << true << Args{"a", "-r0", "-m6", "-y", "/w/r.rar", "@/l"} << "";
        QTest::newRow("rar list without @") << true << Args{"a", "-r0", "-m3", "-y", "/w/r.rar", "/l"} << "";
        QTest::newRow("rar extra argument") << true << Args{"a", "-r0", "-m3", "-y", "/w/r.rar", "@/l", "x"} << "";
        QTest::newRow("rar other extension") << true << Args{"a", "-r0", "-m3", "-y", "/w/r.zip", "@/l"} << "";
        QTest::newRow("rar no base name") << true << Args{"a", "-r0", "-m3", "-y", "/w/.rar", "@/l"} << "";
        QTest::newRow("ace RAR volume switch")
            << false << Args{"a", "-r", "-y", "-v1440000b", "-m3", "/w/r.ace", "@/l"} << "";
        QTest::newRow("ace -y after level") << false << Args{"a", "-r", "-v1440", "-m3", "-y", "/w/r.ace", "@/l"} << "";
        QTest::newRow("ace negative volume") << false << Args{"a", "-r", "-y", "-v-5", "-m3", "/w/r.ace", "@/l"} << "";
        QTest::newRow("help with more") << false << Args{"--help", "a"} << "";
    }
    void commandLine()
    {
        QFETCH(bool, rar);
        QFETCH(Args, args);
        QFETCH(QString, parsed);
        ArchiverArgs read;
        const ArgsOutcome outcome = parseArchiverArgs(rar ? ArchiveFormat::Rar : ArchiveFormat::Ace, args, read);
        QCOMPARE(outcome, parsed.isEmpty() ? ArgsOutcome::Usage : ArgsOutcome::Run);
        if (outcome == ArgsOutcome::Run)
            QCOMPARE(QStringList({read.barePaths ? "bare" : "paths", QString::number(read.volumeBytes),
                                  QString::number(read.level), QString::fromStdString(read.archive),
                                  QString::fromStdString(read.listFile)})
                         .join(u'|'),
                     parsed);
    }
};

QTEST_GUILESS_MAIN(TestVolumes)
#include "tst_volumes.moc"
