// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the set test reads back the headers our archivers write, at the edges of their fields.
#include "engine/volumeblocks.h"
#include "wace/aceformat.h"
#include "wrar/rarformat.h"
#include "wrar/rarnames.h"

#include <QTest>

class TestVolumeBlocks : public QObject
{
    Q_OBJECT

private slots:
    void fileHeader_data();
    void fileHeader();
};

void TestVolumeBlocks::fileHeader_data()
{
    QTest::addColumn<bool>("rar");
    QTest::addColumn<QString>("path");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("piece");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    QTest::addColumn<int>("damagedAt"); // a header byte flipped; -1 for none
    QTest::newRow("RAR, small") << true << "a.txt" << 3LL << 3LL << false << false << -1;
    QTest::newRow("RAR, folders") << true << "dir/sub/x y.bin" << 3000LL << 1000LL << false << true << -1;
    QTest::newRow("RAR, Unicode name") << true << "Ü/é.txt" << 10LL << 10LL << true << false << -1;
    QTest::newRow("RAR, 64-bit sizes") << true << "big.bin" << 5000000000LL << 4400000000LL << true << true << -1;
    QTest::newRow("RAR, damaged") << true << "a.txt" << 3LL << 3LL << false << false << 33;
    QTest::newRow("ACE, small") << false << "a.txt" << 3LL << 3LL << false << false << -1;
    QTest::newRow("ACE, 64-bit sizes") << false << "dir/big.bin" << 5000000000LL << 4400000000LL << true << false << -1;
    QTest::newRow("ACE, damaged") << false << "a.txt" << 3LL << 3LL << false << true << 20;
}

void TestVolumeBlocks::fileHeader()
{
    QFETCH(bool, rar);
    QFETCH(QString, path);
    QFETCH(qint64, size);
    QFETCH(qint64, piece);
    QFETCH(bool, before);
    QFETCH(bool, after);
    QFETCH(int, damagedAt);
    const quint32 crc = 0xCAFE1234;
    std::vector<uint8_t> header;
    if (rar) {
        const RarName name = encodeRarName(path.toStdString());
        header = rar::fileHeader({name.field, name.unicode, false, uint64_t(size), uint64_t(piece), crc, 0x526428C4,
                                  false, false, 0, 0100644, before, after});
    } else {
        std::string name = path.toStdString();
        std::replace(name.begin(), name.end(), '/', '\\');
        header = ace::fileHeader({name, uint64_t(size), uint64_t(piece), crc, 0x526428C4, 0x20, before, after, 0});
    }
    if (damagedAt >= 0)
        header[damagedAt] ^= 0x01;

    const ArchiveFormat format = rar ? ArchiveFormat::Rar : ArchiveFormat::Ace;
    const QByteArray bytes(reinterpret_cast<const char *>(header.data()), qsizetype(header.size()));
    QCOMPARE(VolumeBlocks::headerSize(format, bytes), bytes.size());
    const VolumeBlock block = VolumeBlocks::decode(format, bytes);
    if (damagedAt >= 0) {
        QCOMPARE(block.problem, QStringLiteral("a damaged header (its CRC does not match)"));
        return;
    }
    QVERIFY(block.problem.isEmpty());
    QCOMPARE(block.kind, VolumeBlock::Kind::File);
    QCOMPARE(block.name, path);
    QCOMPARE(block.dataSize, piece);
    QCOMPARE(block.crc, crc);
    QCOMPARE(block.continuesPrevious, before);
    QCOMPARE(block.continuesNext, after);
}

QTEST_GUILESS_MAIN(TestVolumeBlocks)
#include "tst_volumeblocks.moc"
