// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the PAR 2.0 writer leaves what is not its own alone: pipes, links and folders at the names it uses.
#include "testfiles.h"

#include "par2/par2writer.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

class TestPar2Writer : public QObject
{
    Q_OBJECT

private slots:
    void leavesOthersThingsAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error"); ///< part of it; none: the set is written

        // clang-format off
        QTest::newRow("a pipe among the inputs") << "pipe" << "set.z01" << "is a named pipe";
        QTest::newRow("a link at the main file's name") << "link" << "set.par2" << "";
        QTest::newRow("a link at a volume's name") << "link" << "set.vol01+02.par2" << "";
        QTest::newRow("a folder at a volume's name") << "folder" << "set.vol03+01.par2" << "something other than a file";
        // clang-format on
    }

    void leavesOthersThingsAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, error);

        const QString folder = m_scratch.fresh();
        const QString outside = makeNoise(m_scratch.fresh() + "/outside", 100, 9);
        const QByteArray outsideBytes = readFile(outside);
        const QStringList inputs{makeNoise(folder + "/set.z00", 5000, 1), folder + "/set.z01"};
        const QString at = folder + '/' + name;
        if (kind != "pipe")
            makeNoise(inputs[1], 3000, 2);
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(at).constData(), 0600), 0);
        else if (kind == "link")
            QVERIFY(QFile::link(outside, at));
        else
            QVERIFY(QDir().mkdir(at));
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);

        const Par2WriteResult written = writePar2(inputs, folder + "/set", {50, 1024, 64 << 20, {}});
        if (error.isEmpty()) {
            QVERIFY2(written.error.isEmpty(), qPrintable(written.error));
            QVERIFY(written.files.contains(at));
            QVERIFY(!QFileInfo(at).isSymLink());
        } else {
            QVERIFY2(written.error.contains(error), qPrintable(written.error));
            QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), before);
        }
        QCOMPARE(readFile(outside), outsideBytes);
    }

private:
    ScratchFolders m_scratch;
};

QTEST_GUILESS_MAIN(TestPar2Writer)
#include "tst_par2writer.moc"
