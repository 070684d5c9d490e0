// Varko 2000 — a queue packed with the real archivers, the set opened by programs we did not write.
#include "placementrules.h"
#include "queuefiller.h"
#include "riprun.h"
#include "scriptedhost.h"
#include "testfiles.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(size);
    generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

bool runTool(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess tool;
    tool.setWorkingDirectory(folder);
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    tool.closeWriteChannel();
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        qWarning().noquote() << program << arguments.join(u' ') << tool.readAll();
        return false;
    }
    return true;
}

// Relative path -> bytes of every file below `folder`.
QMap<QString, QByteArray> filesBelow(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        files.insert(QDir(folder).relativeFilePath(file), readFile(file));
    }
    return files;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void packAndOpen_data();
    void packAndOpen();
};

void TestEndToEnd::packAndOpen_data()
{
    QTest::addColumn<bool>("rar");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("savepaths");
    QTest::addColumn<int>("zipcomp");
    QTest::addColumn<int>("zips");
    QTest::newRow("rar, half-meg volumes, stored zips") << true << 1 << 0 << 0 << 3;
    QTest::newRow("rar with paths, deflated zips") << true << 1 << 1 << 3 << 3;
    QTest::newRow("rar, one file") << true << 0 << 0 << 1 << 1;
    QTest::newRow("ace, half-meg volumes") << false << 1 << 0 << 5 << 3;
    QTest::newRow("ace with paths") << false << 1 << 1 << 0 << 3;
}

void TestEndToEnd::packAndOpen()
{
    QFETCH(bool, rar);
    QFETCH(int, step);
    QFETCH(int, savepaths);
    QFETCH(int, zipcomp);
    QFETCH(int, zips);
    const QString bin = QCoreApplication::applicationDirPath();
    const QString archiver = bin + (rar ? QStringLiteral("/wrar") : QStringLiteral("/wace"));
    if (!QFileInfo(archiver).isExecutable())
        QSKIP("the archivers are not built");
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    const QString reader = QStandardPaths::findExecutable(rar ? QStringLiteral("7z") : QStringLiteral("unace"));
    if (unzip.isEmpty() || reader.isEmpty())
        QSKIP("unzip, 7z or unace is missing");

    QTemporaryDir dir;
    for (const char *folder : {"data", "tmp", "rips", "out", "extracted"})
        QDir(dir.path()).mkpath(QString::fromLatin1(folder));
    // 1.2 MB that does not compress, a folder of text, small files, the diz.
    makeFile(dir.filePath("rel/movie.bin"), randomBytes(1200 * 1024));
    for (int i = 0; i < 20; ++i)
        makeFile(dir.filePath(QStringLiteral("rel/docs/part%1/notes.txt").arg(i % 3)) + QString::number(i),
                 QByteArray("line of text ").repeated(200 + i));
    makeFile(dir.filePath("rel/tiny.txt"), QByteArray("x"));
    makeFile(dir.filePath("rel/file_id.diz"), QByteArray(25, ' ') + "xx/xx\r\nEnd to end\r\n");

    RipSettings settings;
    settings.rarace = rar ? 1 : 0;
    settings.savepaths = static_cast<qint16>(savepaths);
    settings.racomp = 0;
    settings.zipcomp = static_cast<qint16>(zipcomp);
    settings.dnumber = 1;
    settings.tdrive = dir.filePath("tmp");
    settings.riptodir = dir.filePath("rips/");
    Queue queue;
    QueueFiller(queue, settings).addDropped({dir.filePath("rel/movie.bin"), dir.filePath("rel/docs"),
                                             dir.filePath("rel/tiny.txt"), dir.filePath("rel/file_id.diz")},
                                            {});
    RipState state;
    ScriptedHost host;
    // With paths off the folder is packed as the folder itself, its files without their folders.
    host.answers[QStringLiteral("Folder found, save paths?")] = {Message::Answer::No};
    RipRun rip(queue, settings, state, host, step, {dir.filePath("data"), {bin}});
    QCOMPARE(rip.run(), RipRun::Outcome::Complete);
    QVERIFY(rip.archiverOutcome() && rip.archiverOutcome()->succeeded());
    const QStringList made = QDir(dir.filePath("rips")).entryList(QDir::Files);
    QCOMPARE(made.size(), zips);

    for (const QString &zip : made)
        QVERIFY(runTool(unzip, {QStringLiteral("-o"), QStringLiteral("-q"), dir.filePath("rips/" + zip), QStringLiteral("-d"), dir.filePath("out")}, dir.path()));
    const QString stamp = QStringLiteral("%1/%2").arg(zips == 1 ? 1 : zips, 2, 10, QChar(u'0')).arg(zips, 2, 10, QChar(u'0'));
    QVERIFY(readFile(dir.filePath("out/file_id.diz")).contains(stamp.toUtf8() + "\r\n"));
    const QString first = dir.filePath(QStringLiteral("out/rel") + (rar ? QStringLiteral(".rar") : QStringLiteral(".ace")));
    QVERIFY(QFile::exists(first));
    const QStringList extract = rar ? QStringList{QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-o") + dir.filePath("extracted"), first}
                                    : QStringList{QStringLiteral("x"), QStringLiteral("-y"), first};
    QVERIFY(runTool(reader, extract, dir.filePath("extracted")));

    QCOMPARE(settings.savepaths, savepaths);
    QMap<QString, QByteArray> expected;
    const QMap<QString, QByteArray> docs = filesBelow(dir.filePath("rel/docs"));
    for (auto it = docs.cbegin(); it != docs.cend(); ++it)
        expected.insert(savepaths == 1 ? QStringLiteral("docs/") + it.key() : it.key().section(u'/', -1), it.value());
    expected.insert(QStringLiteral("movie.bin"), readFile(dir.filePath("rel/movie.bin")));
    expected.insert(QStringLiteral("tiny.txt"), "x");
    const QMap<QString, QByteArray> extracted = filesBelow(dir.filePath("extracted"));
    QCOMPARE(extracted.keys(), expected.keys());
    QVERIFY(extracted == expected);
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
