// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — PAR 2.0 sets, ours and the par2 client's, damaged one way at a time, then checked and rebuilt.
#include "archivertestkit.h"
#include "testfiles.h"

#include "par2/gf16.h"
#include "par2/par2matrix.h"
#include "par2/par2reader.h"
#include "par2/par2repair.h"
#include "par2/par2verify.h"
#include "par2/par2writer.h"

#include <QCryptographicHash>
#include <QMap>
#include <QTest>

#include <sys/stat.h>

namespace {

const QStringList kInputs{"set01.zip", "set02.zip", "set03.zip", "set04.zip", "empty.nfo"};

// The one file of the folder whose name holds `part` ("vol07" for BASE.vol07+...).
QString named(const QString &folder, const QString &part)
{
    for (const QString &name : filesIn(folder))
        if (name == part || (part.startsWith(u"vol") && name.contains(u'.' + part + u'+')))
            return folder + u'/' + name;
    return folder + u'/' + part;
}

// "remove NAME", "cut NAME SIZE", "flip NAME AT" (a byte inverted), "copy FROM TO", "fifo NAME"
// and "link NAME" (to set04.zip) in its place.
void damage(const QString &folder, const QString &action)
{
    const QStringList words = action.split(u' ');
    const QString path = named(folder, words[1]);
    if (words[0] == u"remove") {
        QVERIFY(QFile::remove(path));
    } else if (words[0] == u"cut") {
        QVERIFY(QFile::resize(path, words[2].toLongLong()));
    } else if (words[0] == u"flip") {
        QByteArray bytes = readFile(path);
        bytes[words[2].toInt()] = char(~bytes[words[2].toInt()]);
        makeFile(path, bytes);
    } else if (words[0] == u"copy") {
        makeFile(named(folder, words[2]), readFile(path));
    } else if (words[0] == u"fifo") {
        QVERIFY(QFile::remove(path) && ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
    } else if (words[0] == u"link") {
        QVERIFY(QFile::remove(path) && QFile::link(QStringLiteral("set04.zip"), path));
    }
}

} // namespace

class TestPar2Repair : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString missing = missingReaders({"par2"});
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
    }

    void damaged_data()
    {
        QTest::addColumn<QString>("maker");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<int>("needed");
        QTest::addColumn<int>("available");
        QTest::addColumn<QString>("refused"); // why the repair refuses; empty: the files come back

        // 35 slices of 4096 bytes (10 + 10 + 10 + 5) and 14 recovery slices in volumes of 1, 2, 4 and 7.
        // clang-format off
        QTest::newRow("whole") << "ours" << QStringList{} << 0 << 14 << "";
        QTest::newRow("zip missing") << "ours" << QStringList{"remove set02.zip"} << 10 << 14 << "";
        QTest::newRow("zip truncated") << "ours" << QStringList{"cut set01.zip 20000"} << 6 << 14 << "";
        QTest::newRow("zip replaced by another") << "ours" << QStringList{"copy set04.zip set01.zip"} << 10 << 14 << "";
        QTest::newRow("bytes flipped") << "ours" << QStringList{"flip set02.zip 5000", "flip set04.zip 17000"} << 2 << 14 << "";
        QTest::newRow("volume missing, still repairable") << "ours" << QStringList{"remove vol07", "remove set04.zip"} << 5 << 7 << "";
        QTest::newRow("volume missing, not repairable") << "ours" << QStringList{"remove vol07", "remove set01.zip"} << 10 << 7 << "not repairable";
        QTest::newRow("main file missing: volumes suffice") << "ours" << QStringList{"remove set.par2", "remove set03.zip"} << 10 << 14 << "";
        QTest::newRow("damaged packets skipped") << "ours" << QStringList{"flip set.par2 100", "flip vol07 200", "remove set03.zip"} << 10 << 13 << "";
        QTest::newRow("too little recovery data") << "ours" << QStringList{"remove set01.zip", "remove set02.zip"} << 20 << 14 << "not repairable";
        QTest::newRow("a FIFO in a zip's place") << "ours" << QStringList{"fifo set02.zip"} << 10 << 14 << "set02.zip: not a regular file";
        QTest::newRow("a link in a zip's place") << "ours" << QStringList{"link set02.zip"} << 10 << 14 << "set02.zip: a symbolic link, not replaced";
        QTest::newRow("par2's set, whole") << "par2" << QStringList{} << 0 << 14 << "";
        QTest::newRow("par2's set, zip missing") << "par2" << QStringList{"remove set02.zip", "flip set04.zip 0"} << 11 << 14 << "";
        QTest::newRow("par2's set, truncated, main file missing") << "par2" << QStringList{"remove set.par2", "cut set04.zip 9000"} << 3 << 14 << "";
        // clang-format on
    }

    // The verdict each damage must give; a repairable set comes back byte for byte with no file
    // left over, and one the repair refuses stays as it was.
    void damaged()
    {
        QFETCH(QString, maker);
        QFETCH(QStringList, actions);
        QFETCH(int, needed);
        QFETCH(int, available);
        QFETCH(QString, refused);

        const QString folder = m_scratch.fresh();
        const QMap<QString, QByteArray> originals = makeSet(folder, maker);
        if (actions.isEmpty()) {
            const ProcessResult verify = runProcess("par2", {"verify", "set.par2"}, folder);
            QVERIFY2(verify.exitCode == 0, verify.out.right(400));
        }
        for (const QString &action : actions)
            damage(folder, action);
        const QMap<QString, QByteArray> before = snapshot(folder);

        const Par2Set set = readPar2Set(par2SetFiles(folder, "set"));
        QVERIFY2(set.error.isEmpty(), qPrintable(set.error));
        const Par2Verification verification = verifyPar2Set(set);
        QCOMPARE(verification.blocksNeeded, needed);
        QCOMPARE(verification.blocksAvailable, available);

        // A small budget: the slices are rebuilt in several strips.
        const Par2RepairResult repaired = repairPar2Set(set, verification, 40000);
        if (!refused.isEmpty()) {
            QVERIFY2(repaired.error.startsWith(refused), qPrintable(repaired.error));
            QVERIFY(snapshot(folder) == before);
            return;
        }
        QVERIFY2(repaired.error.isEmpty(), qPrintable(repaired.error));
        const QMap<QString, QByteArray> after = snapshot(folder);
        for (auto it = originals.cbegin(); it != originals.cend(); ++it)
            QVERIFY2(after.value(it.key()) == it.value() && after.contains(it.key()), qPrintable(it.key()));
        QStringList expected = before.keys() + originals.keys();
        expected.removeDuplicates();
        expected.sort();
        QCOMPARE(after.keys(), expected);
    }

    void refused_data()
    {
        QTest::addColumn<quint64>("sliceSize");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<quint64>("length");
        QTest::addColumn<bool>("withMain");
        QTest::addColumn<QString>("error");

        // clang-format off
        QTest::newRow("a name reaching outside the folder") << quint64(4096) << QByteArray("../set01.zip") << quint64(10) << true << "names a file outside its folder";
        QTest::newRow("slices too large") << (quint64(1) << 31) << QByteArray("set01.zip") << quint64(10) << true << "slices of 2147483648 bytes";
        QTest::newRow("more slices than constants") << quint64(4) << QByteArray("set01.zip") << quint64(4 * 40000) << true << "more than 32768 slices";
        QTest::newRow("a length that would wrap") << quint64(4) << QByteArray("set01.zip") << ~quint64(0) << true << "more than 32768 slices";
        QTest::newRow("no main packet") << quint64(4096) << QByteArray("set01.zip") << quint64(10) << false << "no intact main packet";
        // clang-format on
    }

    // Intact packets that describe no set this program may repair: refused with the reason.
    void refused()
    {
        QFETCH(quint64, sliceSize);
        QFETCH(QByteArray, name);
        QFETCH(quint64, length);
        QFETCH(bool, withMain);
        QFETCH(QString, error);

        Par2FileDescription file{{}, QByteArray(16, '\0'), QByteArray(16, '\0'), length, name};
        file.fileId = par2FileId(file.md5Head, length, name);
        const QByteArray main = par2MainBody(sliceSize, {file.fileId});
        const QByteArray setId = QCryptographicHash::hash(main, QCryptographicHash::Md5);
        const QString folder = m_scratch.fresh();
        makeFile(folder + "/set.par2",
                 (withMain ? par2Packet(setId, Par2Type::main(), main) : QByteArray())
                     + par2Packet(setId, Par2Type::fileDescription(), par2FileDescriptionBody(file)));
        const Par2Set set = readPar2Set(par2SetFiles(folder, "set"));
        QVERIFY2(set.error.contains(error), qPrintable(set.error));
        QVERIFY(set.files.isEmpty());
    }

    void solve_data()
    {
        QTest::addColumn<QList<quint32>>("missingLogs");
        QTest::addColumn<QList<quint32>>("exponents");
        QTest::addColumn<QList<quint32>>("chosen"); // empty: no solution

        // 2^1 / 2^2 has order 65535: exponents 0 and 65535 give equal rows, and the next is taken.
        // clang-format off
        QTest::newRow("the first ones") << QList<quint32>{1, 2, 4} << QList<quint32>{0, 1, 2, 3} << QList<quint32>{0, 1, 2};
        QTest::newRow("a singular choice passed over") << QList<quint32>{1, 2} << QList<quint32>{0, 65535, 7} << QList<quint32>{0, 7};
        QTest::newRow("only singular choices") << QList<quint32>{1, 2} << QList<quint32>{0, 65535} << QList<quint32>{};
        QTest::newRow("too few") << QList<quint32>{1, 2, 4} << QList<quint32>{5, 6} << QList<quint32>{};
        // clang-format on
    }

    // The chosen recovery slices and the inverse: inverse times the system is the identity.
    void solve()
    {
        QFETCH(QList<quint32>, missingLogs);
        QFETCH(QList<quint32>, exponents);
        QFETCH(QList<quint32>, chosen);

        const std::optional<Par2Solution> solution = par2Solve(missingLogs, exponents);
        QCOMPARE(solution ? solution->exponents : QList<quint32>{}, chosen);
        const int n = int(chosen.size());
        for (int j = 0; j < n; ++j)
            for (int c = 0; c < n; ++c) {
                quint16 sum = 0;
                for (int r = 0; r < n; ++r)
                    sum ^=
                        Gf16::multiply(solution->factor(j, r), Gf16::powerOfTwo(quint64(missingLogs[c]) * chosen[r]));
                QCOMPARE(sum, quint16(j == c));
            }
    }

private:
    // The inputs, with the PAR2 files our writer or the par2 client made over them.
    QMap<QString, QByteArray> makeSet(const QString &folder, const QString &maker)
    {
        QMap<QString, QByteArray> originals;
        QStringList paths;
        for (qsizetype i = 0; i < kInputs.size(); ++i) {
            const qint64 size = i < 3 ? 40000 : i == 3 ? 17001 : 0;
            paths << makeNoise(folder + u'/' + kInputs[i], size, quint32(i + 3));
            originals.insert(kInputs[i], readFile(paths.last()));
        }
        if (maker == u"ours") {
            Par2Options options;
            options.percent = 40;
            options.sliceSize = 4096;
            const Par2WriteResult written = writePar2(paths, folder + "/set", options);
            if (!written.error.isEmpty())
                qWarning("%s", qPrintable(written.error));
        } else {
            runProcess("par2", QStringList{"create", "-q", "-s4096", "-c14", "-n4", "set.par2"} + kInputs, folder);
        }
        return originals;
    }

    ScratchFolders m_scratch;
};

QTEST_GUILESS_MAIN(TestPar2Repair)
#include "tst_par2repair.moc"
