// Varko 2000 — BASE.sfv: the CRC-32 of every zip of a set, for anyone to check the set with.
#include "engine/sfvfile.h"

#include "store/ripsettings.h"
#include "zip/crc32stream.h"
#include "version.h"

#include <QFile>

namespace SfvFile {

namespace {

constexpr qsizetype kReadChunk = 1024 * 1024;

} // namespace

QByteArray text(const std::vector<Line> &zips, const QDateTime &written)
{
    QByteArray out = "; Varko 2000 v" VARKO_VERSION "\r\n; "
                     + written.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8() + "\r\n";
    for (const Line &zip : zips)
        out += zip.name.toUtf8() + ' '
               + crcText(zip.crc).toLatin1() + "\r\n";
    return out;
}

StoreResult write(const QString &folder, const QString &baseName, const std::vector<Line> &zips)
{
    const QString path = folderWithSlash(folder) + baseName + QStringLiteral(".sfv");
    return writeWholeFile(path, text(zips, QDateTime::currentDateTime()),
                          QStringLiteral("Could not write %1").arg(path));
}

std::optional<std::vector<Line>> parse(const QByteArray &text)
{
    std::vector<Line> lines;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        const qsizetype blank = line.lastIndexOf(' ');
        bool ok = false;
        const quint32 crc = line.mid(blank + 1).toUInt(&ok, 16);
        if (blank <= 0 || !ok || line.size() - blank - 1 != 8)
            return std::nullopt;
        lines.push_back({QString::fromUtf8(line.left(blank).trimmed()), crc});
    }
    return lines;
}

std::optional<quint32> fileCrc(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    QByteArray chunk(kReadChunk, Qt::Uninitialized);
    Crc32Stream crc;
    for (;;) {
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return crc.value();
        crc.add(chunk.constData(), n);
    }
}

} // namespace SfvFile
