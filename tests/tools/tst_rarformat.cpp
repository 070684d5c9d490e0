// Varko 2000 — RAR blocks byte for byte against the format reference's annotated examples.
#include "wrar/rarformat.h"
#include "wrar/rarnames.h"
#include "formatbytes.h"

#include <QTest>
#include <QtEndian>

namespace {

// The reference's file: a.txt, "abc", mode 0100644, 2021-03-04 05:06:08.
rar::FileFields abcFile()
{
    rar::FileFields f;
    f.name = "a.txt";
    f.size = 3;
    f.pieceSize = 3;
    f.crc = 0x352441C2;
    f.dosTime = 0x526428C4;
    f.attributes = 0100644;
    return f;
}

} // namespace

class TestRarFormat : public QObject
{
    Q_OBJECT

private slots:
    void fixedBlocks_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("marker") << hexOf(rar::markerBlock()) << QByteArray("52 61 72 21 1A 07 00");
        QTest::newRow("main, single archive") << hexOf(rar::mainHeader(0)) << QByteArray("CF 90 73 00 00 0D 00 00 00 00 00 00 00");
        QTest::newRow("main, first volume") << hexOf(rar::mainHeader(rar::kMainVolume | rar::kMainFirstVolume))
                                            << QByteArray("B2 EF 73 01 01 0D 00 00 00 00 00 00 00");
        QTest::newRow("main, later volume") << hexOf(rar::mainHeader(rar::kMainVolume))
                                            << QByteArray("F1 FB 73 01 00 0D 00 00 00 00 00 00 00");
        QTest::newRow("end, single archive") << hexOf(rar::endBlock(false, false, 0)) << QByteArray("04 B0 7B 00 00 07 00");
        QTest::newRow("end, volume 0 of more") << hexOf(rar::endBlock(true, true, 0))
                                               << QByteArray("ED 45 7B 09 00 09 00 00 00");
        QTest::newRow("end, last of three") << hexOf(rar::endBlock(true, false, 2)) << QByteArray("CA F4 7B 08 00 09 00 02 00");
    }
    void fixedBlocks()
    {
        QFETCH(QByteArray, block);
        QTEST(block, "expected");
    }

    void fileHeader()
    {
        // CRC 86F4 | type 74 | flags 8000 | size 0x25 | pack 3 | unpacked 3 | host Unix |
        // file CRC | DOS time | version 29 | store 0x30 | name size 5 | mode 0100644 | "a.txt"
        QCOMPARE(hexOf(rar::fileHeader(abcFile())),
                 "F4 86 74 00 80 25 00 03 00 00 00 03 00 00 00 03 C2 41 24 35 C4 28 64 52 1D 30 05 00 A4 81 00 00 "
                 "61 2E 74 78 74");
        QCOMPARE(rar::fileHeaderSize(5, 3, false), 0x25u);
    }

    void largeSizes_data()
    {
        QTest::addColumn<qulonglong>("size");
        QTest::addColumn<bool>("large");
        QTest::newRow("4 GiB - 2 stays 32-bit") << 0xFFFFFFFEull << false;
        QTest::newRow("4 GiB - 1 needs LARGE") << 0xFFFFFFFFull << true;
        QTest::newRow("over 4 GiB") << 4400000000ull << true;
    }
    void largeSizes()
    {
        QFETCH(qulonglong, size);
        QFETCH(bool, large);
        rar::FileFields f = abcFile();
        f.size = size;
        f.pieceSize = size - 1000;
        const QByteArray h = bytes(rar::fileHeader(f));
        const auto le32 = [&h](int at) { return quint32(qFromLittleEndian<quint32>(h.constData() + at)); };
        QCOMPARE(bool(uchar(h[4]) & 0x01), large);
        QCOMPARE(h.size(), 37 + (large ? 8 : 0));
        QCOMPARE(le32(7), quint32(size - 1000));
        QCOMPARE(le32(11), quint32(size));
        if (large) {
            QCOMPARE(le32(32), quint32((size - 1000) >> 32));
            QCOMPARE(le32(36), quint32(size >> 32));
            QCOMPARE(h.mid(40), QByteArray("a.txt"));
        }
    }

    void names_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<bool>("unicode");
        QTest::newRow("ASCII, separators turned") << "rel/sub/a b.txt" << QByteArray("rel\\sub\\a b.txt") << false;
        QTest::newRow("the reference's Unicode example")
            << QString::fromUtf8("Ü/é.txt")
            << hex("C3 9C 5C C3 A9 2E 74 78 74 00 00 AA DC 00 5C 00 E9 00 2E 00 A8 74 00 78 00 74 00") << true;
        QTest::newRow("CJK in the BMP") << QString::fromUtf8("名")
                                        << hex("E5 90 8D 00 00 80 0D 54") << true;
        QTest::newRow("outside the BMP: plain UTF-8") << QString::fromUtf8("a😀") << hex("61 F0 9F 98 80") << true;
    }
    void names()
    {
        QFETCH(QString, path);
        const RarName name = encodeRarName(path.toStdString());
        QTEST(QByteArray::fromStdString(name.field), "field");
        QTEST(name.unicode, "unicode");
    }
};

QTEST_GUILESS_MAIN(TestRarFormat)
#include "tst_rarformat.moc"
