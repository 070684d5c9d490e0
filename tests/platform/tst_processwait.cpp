// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — an outside program's standard output, taken line by line while it runs.
#include "platform/processwait.h"

#include <QTest>

class TestProcessWait : public QObject
{
    Q_OBJECT

private slots:
    void outputLines_data()
    {
        QTest::addColumn<QString>("script"); // for sh -c
        QTest::addColumn<QStringList>("lines");
        // clang-format off
        QTest::newRow("lines as they come") << "printf 'Volumes: 3\\nnext\\n'" << QStringList{"Volumes: 3", "next"};
        QTest::newRow("CR LF, a lone CR, no end") << "printf 'a\\r\\nb\\rc'" << QStringList{"a", "b", "c"};
        QTest::newRow("in pieces over time") << "printf 'one'; sleep 0.05; printf ' two\\nthree'; sleep 0.05; echo" << QStringList{"one two", "three"};
        QTest::newRow("a progress line redrawn") << "printf '10%%\\r20%%\\r'; printf 'done\\n'" << QStringList{"10%", "20%", "done"};
        QTest::newRow("nothing") << "true" << QStringList{};
        // clang-format on
    }
    void outputLines()
    {
        QFETCH(QString, script);
        QStringList lines;
        ProcessWatch watch;
        watch.outputLine = [&lines](const QByteArray &line) { lines << QString::fromUtf8(line); };
        const ProcessOutcome outcome = runAndWait(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}, watch);
        QVERIFY(outcome.succeeded());
        QTEST(lines, "lines");
    }

    // A program that never ends a line is taken in pieces: memory stays bounded.
    void endlessLine()
    {
        QList<qsizetype> pieces;
        ProcessWatch watch;
        watch.outputLine = [&pieces](const QByteArray &line) { pieces << line.size(); };
        const ProcessOutcome outcome = runAndWait(
            QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("head -c 100000 /dev/zero")}, watch);
        QVERIFY(outcome.succeeded());
        qsizetype total = 0;
        for (const qsizetype piece : pieces) {
            QVERIFY(piece <= 16 * 1024);
            total += piece;
        }
        QCOMPARE(total, 100000);
    }
};

QTEST_GUILESS_MAIN(TestProcessWait)
#include "tst_processwait.moc"
