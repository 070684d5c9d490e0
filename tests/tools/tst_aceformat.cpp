// Varko 2000 — ACE blocks byte for byte against the format reference's annotated examples.
#include "wace/aceformat.h"
#include "wace/transliterate.h"
#include "formatbytes.h"

#include <QTest>
#include <QtEndian>

namespace {

ace::FileFields abcFile()
{
    ace::FileFields f;
    f.name = "a.txt";
    f.size = 3;
    f.pieceSize = 3;
    f.crc = 0xCADBBE3D; // the ACE CRC of "abc": the CRC-32 not inverted at the end
    f.dosTime = 0x526428C4;
    f.attributes = 0x20;
    return f;
}

} // namespace

class TestAceFormat : public QObject
{
    Q_OBJECT

private slots:
    void mainHeaders()
    {
        // CRC | size 27 | type 0 | flags | **ACE** | versions 10 10 | host 2 | volume | time | reserved | AV_SIZE 0
        QCOMPARE(hexOf(ace::mainHeader(false, 0, 0x526428C4)),
                 "14 C3 1B 00 00 00 00 2A 2A 41 43 45 2A 2A 0A 0A 02 00 C4 28 64 52 00 00 00 00 00 00 00 00 00");
        QCOMPARE(hexOf(ace::mainHeader(true, 1, 0x526428C4)),
                 "D5 B1 1B 00 00 00 08 2A 2A 41 43 45 2A 2A 0A 0A 02 01 C4 28 64 52 00 00 00 00 00 00 00 00 00");
    }

    void fileHeader()
    {
        // CRC | size 0x28 | type 1 | ADDSIZE | pack 3 | orig 3 | time | attr 0x20 | CRC | store |
        // reserved | name size 5 | "a.txt" | 4 reserved bytes that Debian's unace needs
        QCOMPARE(hexOf(ace::fileHeader(abcFile())),
                 "4F EA 28 00 01 01 00 03 00 00 00 03 00 00 00 C4 28 64 52 20 00 00 00 3D BE DB CA 00 00 00 00 "
                 "00 00 05 00 61 2E 74 78 74 00 00 00 00");
        QCOMPARE(ace::fileHeaderSize(5, 3), 44u);
    }

    void largeFile()
    {
        ace::FileFields f = abcFile();
        f.size = 4400000000ull;
        f.pieceSize = 2500000000ull;
        const QByteArray h = bytes(ace::fileHeader(f));
        QCOMPARE(h.size(), 52);
        QCOMPARE(int(h[4]), 3);                                                // type 3: 64-bit sizes
        QCOMPARE(int(qFromLittleEndian<quint16>(h.constData() + 5)), 0x0005); // ADDSIZE | 64-bit
        QCOMPARE(qFromLittleEndian<quint64>(h.constData() + 7), 2500000000ull);
        QCOMPARE(qFromLittleEndian<quint64>(h.constData() + 15), 4400000000ull);
        QCOMPARE(h.mid(43, 5), QByteArray("a.txt"));
        f.size = 0xFFFFFFFFull; // still fits type 1
        QCOMPARE(int(bytes(ace::fileHeader(f))[4]), 1);
    }

    void transliteration_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ascii");
        QTest::newRow("ASCII unchanged") << "rel/a b-c_(1).txt" << "rel/a b-c_(1).txt";
        QTest::newRow("accents") << QString::fromUtf8("Ünïcödé café.txt") << "Unicode cafe.txt";
        QTest::newRow("two letters") << QString::fromUtf8("Straße Æon œuvre") << "Strasse AEon oeuvre";
        QTest::newRow("Latin Extended-A") << QString::fromUtf8("Łódź Šibenik") << "Lodz Sibenik";
        QTest::newRow("other scripts") << QString::fromUtf8("名前.txt") << "__.txt";
        QTest::newRow("typographic dash and quotes") << QString::fromUtf8("a – “b”") << "a - \"b\"";
        QTest::newRow("invalid UTF-8 byte") << QString::fromLatin1("caf\xE9") << "cafe";
    }
    void transliteration()
    {
        QFETCH(QString, name);
        // The invalid-UTF-8 row carries a Latin-1 byte as it would come from disk.
        const std::string raw = QTest::currentDataTag() == QByteArray("invalid UTF-8 byte") ? name.toLatin1().toStdString()
                                                                                              : name.toStdString();
        QTEST(QString::fromStdString(transliterateToAscii(raw)), "ascii");
    }
};

QTEST_GUILESS_MAIN(TestAceFormat)
#include "tst_aceformat.moc"
