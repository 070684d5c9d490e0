// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — BASE.sfv: the CRC-32 of every zip of a set, for anyone to check the set with.
#include "engine/sfvfile.h"

#include "store/ripsettings.h"
#include "version.h"
#include "zip/crc32stream.h"

#include <QFile>

namespace SfvFile {

QByteArray text(const std::vector<Line> &zips, const QDateTime &written)
{
    QByteArray out = "; Varko 2000 v" VARKO_VERSION "\r\n; "
        + written.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8() + "\r\n";
    for (const Line &zip : zips)
        out += zip.name.toUtf8() + ' ' + crcText(zip.crc).toLatin1() + "\r\n";
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
    // Mapped, not read: the bytes are checked where they lie, with no copy.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    Crc32Stream crc;
    if (file.size() == 0)
        return crc.value();
    const uchar *bytes = file.map(0, file.size());
    if (!bytes)
        return std::nullopt;
    crc.add(bytes, file.size());
    return crc.value();
}

} // namespace SfvFile
