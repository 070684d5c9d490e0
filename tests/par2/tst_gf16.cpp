// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — every multiply-and-add kernel this CPU runs gives the bytes of word-by-word multiplication.
#include "par2/gf16.h"

#include <QRandomGenerator>
#include <QTest>

class TestGf16 : public QObject
{
    Q_OBJECT

private slots:
    void kernelsAgree_data()
    {
        QTest::addColumn<qsizetype>("bytes");
        QTest::addColumn<int>("dstShift");
        QTest::addColumn<int>("srcShift");
        QTest::addColumn<int>("factor");

        // clang-format off
        QTest::newRow("empty") << qsizetype(0) << 0 << 0 << 0x1234;
        QTest::newRow("half a word") << qsizetype(1) << 0 << 0 << 0xbeef;
        QTest::newRow("under one vector") << qsizetype(30) << 1 << 3 << 0x8001;
        QTest::newRow("one wide vector and an odd tail") << qsizetype(64 + 33) << 0 << 0 << 0xffff;
        QTest::newRow("wide, narrow and word tails, unaligned") << qsizetype(4096 + 32 + 6) << 5 << 7 << 0x100b;
        QTest::newRow("factor zero") << qsizetype(1000) << 2 << 1 << 0;
        QTest::newRow("factor one") << qsizetype(1000) << 0 << 9 << 1;
        QTest::newRow("random factor, long run") << qsizetype(100003) << 3 << 0 << -1;
        // clang-format on
    }

    void kernelsAgree()
    {
        QFETCH(qsizetype, bytes);
        QFETCH(int, dstShift);
        QFETCH(int, srcShift);
        QFETCH(int, factor);
        QRandomGenerator random{quint32(bytes)};
        const auto f = quint16(factor < 0 ? random.bounded(2, 65536) : factor);
        QByteArray src(bytes + 1 + srcShift, '\0');
        QByteArray dst(bytes + 1 + dstShift, '\0');
        for (char &c : src)
            c = char(random.bounded(256));
        for (char &c : dst)
            c = char(random.bounded(256));

        QByteArray expected = dst;
        for (qsizetype i = 0; i < bytes; i += 2) {
            const auto word =
                quint16(uchar(src[srcShift + i]) | (i + 1 < bytes ? uchar(src[srcShift + i + 1]) << 8 : 0));
            const quint16 product = Gf16::multiply(f, word);
            expected[dstShift + i] = char(expected[dstShift + i] ^ uchar(product));
            expected[dstShift + i + 1] = char(expected[dstShift + i + 1] ^ uchar(product >> 8));
        }

        const Gf16::FactorTables tables = Gf16::factorTables(f);
        for (Gf16::Kernel kernel : Gf16::availableKernels()) {
            QByteArray out = dst;
            Gf16::addProduct(kernel, tables, reinterpret_cast<uchar *>(out.data()) + dstShift,
                             reinterpret_cast<const uchar *>(src.constData()) + srcShift, bytes);
            QVERIFY2(out == expected, qPrintable(QStringLiteral("kernel %1").arg(int(kernel))));
        }
    }
};

QTEST_GUILESS_MAIN(TestGf16)
#include "tst_gf16.moc"
