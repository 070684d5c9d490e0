// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — running the archivers and the independent readers in tests.
#include "archivertestkit.h"
#include "testfiles.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>

namespace {

QStringList mixedContent(const QString &src)
{
    makeFile(src + "/a.txt", QByteArray("abc"));
    makeFile(src + "/empty.txt", QByteArray());
    makeNoise(src + "/rel/big.bin", 230000, 2);
    makeNoise(src + "/rel/sub dir/x y.bin", 3000, 3);
    QDir().mkpath(src + "/rel/empty folder");
    makeFile(src + "/rel/sub dir/nothing.txt", QByteArray());
    makeFile(src + "/rel/one.bin", QByteArray("1"));
    makeNoise(src + QString::fromUtf8("/rel/Ünïcödé 名前.txt"), 210, 4);
    return {src + "/a.txt", src + "/empty.txt", src + "/rel/*"};
}

QStringList boundaryContent(const QString &src, qint64 volumeBytes, qint64 overhead, qint64 headerBase)
{
    // a.bin's header and data fill the first volume to its last byte.
    makeNoise(src + "/a.bin", volumeBytes - overhead - (headerBase + 5), 5);
    makeNoise(src + "/b.bin", 100, 6);
    setModified(src + "/a.bin", evenTime());
    setModified(src + "/b.bin", evenTime());
    return {src + "/a.bin", src + "/b.bin"};
}

QStringList volumes103Content(const QString &src, qint64 volumeBytes, qint64 overhead, qint64 headerBase)
{
    const qint64 perVolume = volumeBytes - overhead - (headerBase + 7);
    makeNoise(src + "/big.bin", 102 * perVolume + 100, 7);
    setModified(src + "/big.bin", evenTime());
    return {src + "/big.bin"};
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

QString missingReaders(const QStringList &programs)
{
    const QHash<QString, QString> packages{{"7z", "p7zip-full"}, {"unar", "unar"}, {"unace", "unace"},
                                           {"unzip", "unzip"},   {"zip", "zip"},   {"cksfv", "cksfv"},
                                           {"par2", "par2"}};
    QStringList missing;
    for (const QString &program : programs) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            missing
                << QStringLiteral("%1 is missing: install the Debian package %2").arg(program, packages.value(program));
    }
    return missing.join(QStringLiteral("; "));
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

QStringList treeListing(const QString &root, bool flat)
{
    QStringList entries;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const bool folder = it.fileInfo().isDir();
        if (flat && folder)
            continue;
        const QString name = flat ? it.fileName() : QDir(root).relativeFilePath(it.filePath());
        const QByteArray hash = QCryptographicHash::hash(readFile(it.filePath()), QCryptographicHash::Md5).toHex();
        entries << (folder ? name + u'/' : name + u' ' + QString::fromLatin1(hash));
    }
    entries.sort();
    return entries;
}

QDateTime evenTime()
{
    return QDateTime(QDate(2021, 3, 4), QTime(5, 6, 8), Qt::UTC);
}

QStringList makeContent(const QString &kind, const QString &src, qint64 volumeBytes, qint64 overhead, qint64 headerBase)
{
    if (kind == "mixed")
        return mixedContent(src);
    if (kind == "boundary")
        return boundaryContent(src, volumeBytes, overhead, headerBase);
    if (kind == "volumes103")
        return volumes103Content(src, volumeBytes, overhead, headerBase);
    makeNoise(src + "/first.txt", 10, 8);
    makeNoise(src + "/span/spanning.bin", 5000, 9);
    makeNoise(src + "/span/last.txt", 10, 10);
    return {src + "/first.txt", src + "/span/*"};
}
