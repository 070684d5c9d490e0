// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — files the program reads and writes, as a hostile user leaves them.
#include "store/optionsfile.h"
#include "store/ripscript.h"
#include "testfiles.h"
#include "volumes/listfile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// A file in the readers' own shape, then broken: lines dropped, doubled or
// cut, bytes flipped, numbers and blanks where they do not belong.
QByteArray mutated(QRandomGenerator &random, const QByteArray &shape)
{
    QList<QByteArray> lines = shape.split('\n');
    static const QByteArray pieces[] = {"\r",
                                        "\n",
                                        "\r\n",
                                        "=",
                                        "-",
                                        ".",
                                        "99999999",
                                        "\xEF\xBB\xBF",
                                        "\xFF\xFE",
                                        QByteArray(1, '\0'),
                                        QByteArray(300, 'x'),
                                        "/*",
                                        "\\",
                                        "tdrive= "};
    for (int edits = random.bounded(1, 8); edits > 0; --edits) {
        const int at = random.bounded(int(lines.size()));
        QByteArray &line = lines[at];
        switch (random.bounded(5)) {
        case 0: lines.removeAt(at); break;
        case 1: lines.insert(at, line); break;
        case 2: line.truncate(random.bounded(int(line.size()) + 1)); break;
        case 3:
            line.insert(random.bounded(int(line.size()) + 1), pieces[random.bounded(int(std::size(pieces)))]);
            break;
        default:
            if (!line.isEmpty())
                line[random.bounded(int(line.size()))] = char(random.bounded(256));
        }
        if (lines.isEmpty())
            lines << QByteArray();
    }
    return lines.join('\n');
}

} // namespace

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void refusedReads_data();
    void refusedReads();
    void fuzzedReaders();
};

void TestHostileFiles::refusedReads_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why");
    QTest::newRow("folder") << "folder"
                            << ": is a folder, not a file";
    QTest::newRow("FIFO") << "fifo"
                          << ": is a named pipe, not a file";
    QTest::newRow("device") << "device"
                            << ": is a device, not a file";
    QTest::newRow("over 64 MiB") << "huge"
                                 << ": is larger than 64 MiB";
    QTest::newRow("missing") << "missing"
                             << ": No such file or directory";
}

// Neither a script nor a list file is read from something that is not a
// regular file or is too large: a message naming it, no wait, no memory spent.
void TestHostileFiles::refusedReads()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(kind);
    if (kind == u"folder")
        QDir().mkdir(path);
    if (kind == u"fifo")
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
    if (kind == u"device")
        path = QStringLiteral("/dev/zero");
    if (kind == u"huge") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(64 * 1024 * 1024 + 1)); // sparse: no disk spent
    }
    RipSettings settings;
    const ScriptRead script = readScript(path, settings, nullptr);
    QFETCH(QString, why);
    QCOMPARE(script.result.detail, path + why);
    std::string listWhy;
    QVERIFY(!readListFile(path.toStdString(), &listWhy));
    QCOMPARE(QString::fromStdString(listWhy).endsWith(why, Qt::CaseInsensitive), true);
}

// A few hundred broken scripts, settings files and list files: whatever is
// read back is what is written again, and nothing crashes or hangs.
void TestHostileFiles::fuzzedReaders()
{
    QTemporaryDir dir;
    QRandomGenerator random(2000);
    const QString path = dir.filePath("fuzz");
    const QByteArray script = scriptLines(RipSettings(), {"/rel/a.bin", "/rel/b b"}).join('\n').toUtf8();
    const QByteArray options = savedOptionsLines(RipSettings()).join('\n').toUtf8();
    for (int round = 0; round < 300; ++round) {
        makeFile(path, mutated(random, script));
        RipSettings settings;
        const ScriptRead read = readScript(path, settings, nullptr);
        if (read.result.ok) {
            QVERIFY(writeScript(path, settings, read.rowPaths).ok);
            RipSettings again;
            const ScriptRead reread = readScript(path, again, nullptr);
            QVERIFY2(reread.result.ok && again == settings && reread.rowPaths == read.rowPaths,
                     qPrintable(QString::number(round)));
        }
        const QByteArray brokenOptions = mutated(random, options);
        makeFile(path, brokenOptions);
        RipSettings loaded;
        const StoreResult result = OptionsFile(path).loadOptions(loaded, nullptr);
        RipSettings reloaded;
        // A value refused for its bytes is told and leaves the file as it was; anything else is repaired.
        if (!result.ok)
            QVERIFY(result.message == QLatin1String("Load options error") && readFile(path) == brokenOptions);
        else
            QVERIFY(OptionsFile(path).loadOptions(reloaded, nullptr).ok && reloaded == loaded);

        makeFile(path, mutated(random, "/rel/a\n/rel/folder/*\r\n\\x\\*.*\n"));
        const auto lines = readListFile(path.toStdString());
        QVERIFY(lines);
        for (const ListLine &line : *lines)
            QVERIFY(!line.path.empty() && line.path.find('\n') == std::string::npos);
    }
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
