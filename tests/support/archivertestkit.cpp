// Varko 2000 — running the archivers and the independent readers in tests.
#include "archivertestkit.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

QStringList relativeEntries(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries.append(QDir(root).relativeFilePath(it.filePath()) + (it.fileInfo().isDir() ? "/" : ""));
    }
    entries.sort();
    return entries;
}

QStringList mixedContent(const QString &src)
{
    writeFile(src + "/a.txt", QByteArray("abc"));
    writeFile(src + "/empty.txt", QByteArray());
    writeFile(src + "/rel/big.bin", 230000, 2);
    writeFile(src + "/rel/sub dir/x y.bin", 3000, 3);
    QDir().mkpath(src + "/rel/empty folder");
    writeFile(src + "/rel/sub dir/nothing.txt", QByteArray());
    writeFile(src + "/rel/one.bin", QByteArray("1"));
    writeFile(src + QString::fromUtf8("/rel/Ünïcödé 名前.txt"), 210, 4);
    return {src + "/a.txt", src + "/empty.txt", src + "/rel/*"};
}

QStringList boundaryContent(const QString &src, qint64 volumeBytes, qint64 overhead, qint64 headerBase)
{
    // a.bin's header and data fill the first volume to its last byte.
    writeFile(src + "/a.bin", volumeBytes - overhead - (headerBase + 5), 5);
    writeFile(src + "/b.bin", 100, 6);
    setModified(src + "/a.bin", evenTime());
    setModified(src + "/b.bin", evenTime());
    return {src + "/a.bin", src + "/b.bin"};
}

QStringList volumes103Content(const QString &src, qint64 volumeBytes, qint64 overhead, qint64 headerBase)
{
    const qint64 perVolume = volumeBytes - overhead - (headerBase + 7);
    writeFile(src + "/big.bin", 102 * perVolume + 100, 7);
    setModified(src + "/big.bin", evenTime());
    return {src + "/big.bin"};
}

void copyFile(const QString &from, const QString &to)
{
    QDir().mkpath(QFileInfo(to).path());
    QFile::copy(from, to);
}

} // namespace

QString toolPath(const QString &name)
{
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

ProcessResult runProcess(const QString &program, const QStringList &args, const QString &workDir)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!workDir.isEmpty())
        process.setWorkingDirectory(workDir);
    process.start();
    ProcessResult result;
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        result.err = "did not finish: " + process.errorString().toUtf8();
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

bool havePeer(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// unace exits 0 even when it stops early: the extracted tree is what counts.
QString extract(const QString &reader, const QString &archive, const QString &into)
{
    QDir().mkpath(into);
    ProcessResult run;
    if (reader == "7z")
        run = runProcess("7z", {"x", "-y", "-o" + into, archive});
    else if (reader == "unar")
        run = runProcess("unar", {"-q", "-D", "-o", into, archive});
    else
        run = runProcess("unace", {"x", "-y", archive}, into);
    return run.exitCode == 0 ? QString() : reader + ": " + QString::fromUtf8(run.out + run.err);
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

void writeFile(const QString &path, qint64 size, quint32 seed)
{
    QByteArray data(size, Qt::Uninitialized);
    quint32 state = seed * 2654435761u + 1;
    for (qint64 i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u; // a plain LCG: varied bytes, reproducible
        data[i] = char(state >> 24);
    }
    writeFile(path, data);
}

QString writeList(const QString &folder, const QStringList &lines)
{
    const QString path = folder + QStringLiteral("/ripfiles.txt");
    writeFile(path, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    return path;
}

QStringList filesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    names.sort();
    return names;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString treeDifference(const QString &expected, const QString &actual)
{
    const QStringList want = relativeEntries(expected);
    const QStringList got = relativeEntries(actual);
    if (want != got)
        return QStringLiteral("entries differ:\n  expected %1\n  found    %2").arg(want.join(", "), got.join(", "));
    for (const QString &entry : want) {
        if (!entry.endsWith(u'/') && contentOf(expected + u'/' + entry) != contentOf(actual + u'/' + entry))
            return QStringLiteral("%1 differs").arg(entry);
    }
    return {};
}

QDateTime evenTime()
{
    return QDateTime(QDate(2021, 3, 4), QTime(5, 6, 8), Qt::UTC);
}

void setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(time, QFileDevice::FileModificationTime);
}

QStringList makeContent(const QString &kind, const QString &src, qint64 volumeBytes, qint64 overhead,
                        qint64 headerBase)
{
    if (kind == "mixed")
        return mixedContent(src);
    if (kind == "boundary")
        return boundaryContent(src, volumeBytes, overhead, headerBase);
    if (kind == "volumes103")
        return volumes103Content(src, volumeBytes, overhead, headerBase);
    writeFile(src + "/first.txt", 10, 8);
    writeFile(src + "/span/spanning.bin", 5000, 9);
    writeFile(src + "/span/last.txt", 10, 10);
    return {src + "/first.txt", src + "/span/*"};
}

void makeExpected(const QStringList &lines, bool barePaths, const QString &expect)
{
    QDir().mkpath(expect);
    for (QString line : lines) {
        const bool wildcard = line.endsWith("/*");
        if (wildcard)
            line.chop(2);
        const QFileInfo info(line);
        if (info.isFile()) {
            copyFile(line, expect + u'/' + info.fileName());
            continue;
        }
        const QString top = barePaths ? expect : expect + u'/' + info.fileName();
        QDir().mkpath(top);
        QDirIterator it(line, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            if (barePaths && it.fileInfo().isFile())
                copyFile(it.filePath(), expect + u'/' + it.fileName());
            else if (!barePaths && it.fileInfo().isDir())
                QDir().mkpath(top + u'/' + QDir(line).relativeFilePath(it.filePath()));
            else if (!barePaths)
                copyFile(it.filePath(), top + u'/' + QDir(line).relativeFilePath(it.filePath()));
        }
    }
}
