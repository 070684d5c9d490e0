// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — checksums handed to the PAR 2.0 writer, taken as a file's bytes pass, give the set it would make alone.
#include "testfiles.h"

#include "par2/par2writer.h"

#include <QTest>

class TestPar2Checksums : public QObject
{
    Q_OBJECT

private slots:
    void givenChecksumsChangeNothing_data()
    {
        QTest::addColumn<QList<qint64>>("sizes");
        QTest::addColumn<quint64>("sliceSize");
        QTest::addColumn<quint64>("memoryBudget");
        QTest::addColumn<int>("given");
        QTest::addColumn<qsizetype>("chunk");

        // clang-format off
        QTest::newRow("every file, odd chunks across slices") << QList<qint64>{100001, 54321, 7, 0} << quint64(16384) << quint64(64 << 20) << 4 << qsizetype(4099);
        QTest::newRow("some files, one pass") << QList<qint64>{70001, 33333, 16384} << quint64(8192) << quint64(64 << 20) << 1 << qsizetype(1 << 20);
        QTest::newRow("every file, in strips") << QList<qint64>{70001, 33333} << quint64(8192) << quint64(4096) << 2 << qsizetype(3);
        QTest::newRow("some files, in strips") << QList<qint64>{70001, 33333, 20000} << quint64(8192) << quint64(20000) << 2 << qsizetype(65536);
        // clang-format on
    }

    void givenChecksumsChangeNothing()
    {
        QFETCH(QList<qint64>, sizes);
        QFETCH(quint64, sliceSize);
        QFETCH(quint64, memoryBudget);
        QFETCH(int, given);
        QFETCH(qsizetype, chunk);

        const QString folder = m_scratch.fresh();
        QStringList paths;
        for (qsizetype i = 0; i < sizes.size(); ++i)
            paths << makeNoise(folder + QStringLiteral("/set.z%1").arg(i, 2, 10, QLatin1Char('0')), sizes[i], i + 3);
        Par2Options options{10, sliceSize, memoryBudget, {}};
        const Par2WriteResult alone = writePar2(paths, folder + "/alone", options);
        QVERIFY2(alone.error.isEmpty(), qPrintable(alone.error));

        for (qsizetype i = 0; i < given; ++i) {
            Par2FileDigest digest(sliceSize);
            const QByteArray bytes = readFile(paths[i]);
            for (qsizetype at = 0; at < bytes.size(); at += chunk)
                digest.add(QByteArrayView(bytes).sliced(at, std::min(chunk, bytes.size() - at)));
            options.checksums.insert(paths[i], digest.finish());
        }
        const Par2WriteResult handed = writePar2(paths, folder + "/given", options);
        QVERIFY2(handed.error.isEmpty(), qPrintable(handed.error));
        QCOMPARE(contents(handed.files), contents(alone.files));
    }

private:
    static QList<QByteArray> contents(const QStringList &files)
    {
        QList<QByteArray> bytes;
        for (const QString &file : files)
            bytes << readFile(file);
        return bytes;
    }

    ScratchFolders m_scratch;
};

QTEST_GUILESS_MAIN(TestPar2Checksums)
#include "tst_par2checksums.moc"
