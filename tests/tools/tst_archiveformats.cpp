// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — RAR and ACE blocks byte for byte against the format references' annotated examples.
#include "formatbytes.h"
#include "wace/aceformat.h"
#include "wace/transliterate.h"
#include "wrar/rarformat.h"
#include "wrar/rarnames.h"

#include <QTest>
#include <QtEndian>

namespace {

// The references' file: a.txt, "abc", 2021-03-04 05:06:08; mode 0100644 in RAR, archive bit in ACE.
rar::FileFields rarFile()
{
    rar::FileFields f;
    f.name = "a.txt";
    f.size = f.pieceSize = 3;
    f.crc = 0x352441C2;
    f.dosTime = 0x526428C4;
    f.attributes = 0100644;
    return f;
}

ace::FileFields aceFile()
{
    ace::FileFields f;
    f.name = "a.txt";
    f.size = f.pieceSize = 3;
    f.crc = 0xCADBBE3D; // the ACE CRC of "abc": the CRC-32 not inverted at the end
    f.dosTime = 0x526428C4;
    f.attributes = 0x20;
    return f;
}

} // namespace

class TestArchiveFormats : public QObject
{
    Q_OBJECT

private slots:
    void blocks_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("rar marker") << hexOf(rar::markerBlock()) << QByteArray("52 61 72 21 1A 07 00");
        QTest::newRow("rar main, single archive")
            << hexOf(rar::mainHeader(0)) << QByteArray("CF 90 73 00 00 0D 00 00 00 00 00 00 00");
        QTest::newRow("rar main, first volume") << hexOf(rar::mainHeader(rar::kMainVolume | rar::kMainFirstVolume))
                                                << QByteArray("B2 EF 73 01 01 0D 00 00 00 00 00 00 00");
        QTest::newRow("rar main, later volume")
            << hexOf(rar::mainHeader(rar::kMainVolume)) << QByteArray("F1 FB 73 01 00 0D 00 00 00 00 00 00 00");
        QTest::newRow("rar end, single archive")
            << hexOf(rar::endBlock(false, false, 0)) << QByteArray("04 B0 7B 00 00 07 00");
        QTest::newRow("rar end, volume 0 of more")
            << hexOf(rar::endBlock(true, true, 0)) << QByteArray("ED 45 7B 09 00 09 00 00 00");
        QTest::newRow("rar end, last of three")
            << hexOf(rar::endBlock(true, false, 2)) << QByteArray("CA F4 7B 08 00 09 00 02 00");
        // CRC 86F4 | type 74 | flags 8000 | size 0x25 | pack 3 | unpacked 3 | host Unix |
        // file CRC | DOS time | version 29 | store 0x30 | name size 5 | mode 0100644 | "a.txt"
        QTest::newRow("rar file") << hexOf(rar::fileHeader(rarFile())) << QByteArray(
                   "F4 86 74 00 80 25 00 03 00 00 00 03 00 00 00 03 C2 41 24 35 C4 28 64 52 1D 30 05 00 A4 81 00 00 "
                   "61 2E 74 78 74");
        // CRC | size 27 | type 0 | flags | **ACE** | versions 10 10 | host 2 | volume | time | reserved | AV_SIZE 0
        QTest::newRow("ace main, single archive") << hexOf(ace::mainHeader(false, 0, 0x526428C4)) << QByteArray(
                   "14 C3 1B 00 00 00 00 2A 2A 41 43 45 2A 2A 0A 0A 02 00 C4 28 64 52 00 00 00 00 00 00 00 00 00");
        QTest::newRow("ace main, second volume") << hexOf(ace::mainHeader(true, 1, 0x526428C4)) << QByteArray(
                   "D5 B1 1B 00 00 00 08 2A 2A 41 43 45 2A 2A 0A 0A 02 01 C4 28 64 52 00 00 00 00 00 00 00 00 00");
        // CRC | size 0x28 | type 1 | ADDSIZE | pack 3 | orig 3 | time | attr 0x20 | CRC | store |
        // reserved | name size 5 | "a.txt" | 4 reserved bytes that Debian's unace needs
        QTest::newRow("ace file") << hexOf(ace::fileHeader(aceFile())) << QByteArray(
                   "4F EA 28 00 01 01 00 03 00 00 00 03 00 00 00 C4 28 64 52 20 00 00 00 3D BE DB CA 00 00 00 00 "
                   "00 00 05 00 61 2E 74 78 74 00 00 00 00");
        // clang-format on
    }
    void blocks()
    {
        QFETCH(QByteArray, block);
        QTEST(block, "expected");
    }

    void rarLargeSizes_data()
    {
        QTest::addColumn<qulonglong>("size");
        QTest::addColumn<bool>("large");
        QTest::newRow("4 GiB - 2 stays 32-bit") << 0xFFFFFFFEull << false;
        QTest::newRow("4 GiB - 1 needs LARGE") << 0xFFFFFFFFull << true;
        QTest::newRow("over 4 GiB") << 4400000000ull << true;
    }
    void rarLargeSizes()
    {
        QFETCH(qulonglong, size);
        QFETCH(bool, large);
        rar::FileFields f = rarFile();
        f.size = size;
        f.pieceSize = size - 1000;
        const QByteArray h = bytes(rar::fileHeader(f));
        const auto le32 = [&h](int at) { return quint32(qFromLittleEndian<quint32>(h.constData() + at)); };
        QCOMPARE(bool(uchar(h[4]) & 0x01), large);
        QCOMPARE(h.size(), 37 + (large ? 8 : 0));
        QCOMPARE(rar::fileHeaderSize(5, size, false), uint32_t(h.size())); // what the volume planner counts
        QCOMPARE(le32(7), quint32(size - 1000));
        QCOMPARE(le32(11), quint32(size));
        if (large) {
            QCOMPARE(le32(32), quint32((size - 1000) >> 32));
            QCOMPARE(le32(36), quint32(size >> 32));
            QCOMPARE(h.mid(40), QByteArray("a.txt"));
        }
    }

    void aceLargeFile()
    {
        ace::FileFields f = aceFile();
        f.size = 4400000000ull;
        f.pieceSize = 2500000000ull;
        const QByteArray h = bytes(ace::fileHeader(f));
        QCOMPARE(h.size(), 52);
        QCOMPARE(ace::fileHeaderSize(5, f.size), 52u); // what the volume planner counts
        QCOMPARE(int(h[4]), 3); // type 3: 64-bit sizes
        QCOMPARE(int(qFromLittleEndian<quint16>(h.constData() + 5)), 0x0005); // ADDSIZE | 64-bit
        QCOMPARE(qFromLittleEndian<quint64>(h.constData() + 7), 2500000000ull);
        QCOMPARE(qFromLittleEndian<quint64>(h.constData() + 15), 4400000000ull);
        QCOMPARE(h.mid(43, 5), QByteArray("a.txt"));
        f.size = 0xFFFFFFFFull; // still fits type 1
        QCOMPARE(int(bytes(ace::fileHeader(f))[4]), 1);
        QCOMPARE(ace::fileHeaderSize(5, 3), 44u);
    }

    // RAR stores UTF-8 beside its own Unicode field; ACE readers take ASCII, so names are transliterated.
    void names_data()
    {
        // clang-format off
        QTest::addColumn<bool>("rar");
        QTest::addColumn<QByteArray>("name"); // as it comes from disk
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("unicode");
        QTest::newRow("rar: ASCII, separators turned")
            << true << QByteArray("rel/sub/a b.txt") << QByteArray("rel\\sub\\a b.txt") << false;
        QTest::newRow("rar: the reference's Unicode example") << true << QByteArray("Ü/é.txt")
            << hex("C3 9C 5C C3 A9 2E 74 78 74 00 00 AA DC 00 5C 00 E9 00 2E 00 A8 74 00 78 00 74 00") << true;
        QTest::newRow("rar: CJK in the BMP") << true << QByteArray("名") << hex("E5 90 8D 00 00 80 0D 54") << true;
        QTest::newRow("rar: outside the BMP, plain UTF-8") << true << QByteArray("a😀") << hex("61 F0 9F 98 80") << true;
        QTest::newRow("ace: ASCII unchanged")
            << false << QByteArray("rel/a b-c_(1).txt") << QByteArray("rel/a b-c_(1).txt") << false;
        QTest::newRow("ace: accents") << false << QByteArray("Ünïcödé café.txt") << QByteArray("Unicode cafe.txt")
                                      << false;
        QTest::newRow("ace: two letters")
            << false << QByteArray("Straße Æon œuvre") << QByteArray("Strasse AEon oeuvre") << false;
        QTest::newRow("ace: Latin Extended-A")
            << false << QByteArray("Łódź Šibenik") << QByteArray("Lodz Sibenik") << false;
        QTest::newRow("ace: other scripts") << false << QByteArray("名前.txt") << QByteArray("__.txt") << false;
        QTest::newRow("ace: typographic dash and quotes")
            << false << QByteArray("a – “b”") << QByteArray("a - \"b\"") << false;
        QTest::newRow("ace: invalid UTF-8 byte") << false << QByteArray("caf\xE9") << QByteArray("cafe") << false;
        // clang-format on
    }
    void names()
    {
        QFETCH(bool, rar);
        QFETCH(QByteArray, name);
        if (rar) {
            const RarName stored = encodeRarName(name.toStdString());
            QTEST(QByteArray::fromStdString(stored.field), "stored");
            QTEST(stored.unicode, "unicode");
        } else {
            QTEST(QByteArray::fromStdString(transliterateToAscii(name.toStdString())), "stored");
        }
    }
};

QTEST_GUILESS_MAIN(TestArchiveFormats)
#include "tst_archiveformats.moc"
