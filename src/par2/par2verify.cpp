// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — which files of a PAR 2.0 set are whole, damaged or missing, and whether they can be rebuilt.
#include "par2verify.h"

#include "par2parallel.h"
#include "zip/crc32stream.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 ChunkSize = 1024 * 1024;

bool wholeFile(QFile &file, const Par2FileDescription &description)
{
    if (quint64(file.size()) != description.length)
        return false;
    QCryptographicHash md5(QCryptographicHash::Md5);
    return md5.addData(&file) && md5.result() == description.md5;
}

// A slice is good when the file holds all of its bytes and, padded with zeros as the set
// checksummed it, they match its CRC-32 and MD5. Read in chunks: a slice may be large.
bool goodSlice(QFile &file, const Par2SetFile &set, quint64 sliceSize, qint64 slice, QByteArray &buffer)
{
    const quint64 start = quint64(slice) * sliceSize;
    const qint64 length = qint64(std::min(sliceSize, set.description.length - start));
    if (set.checksums.isEmpty() || quint64(file.size()) < start + quint64(length) || !file.seek(qint64(start)))
        return false;
    Crc32Stream crc;
    QCryptographicHash md5(QCryptographicHash::Md5);
    for (quint64 done = 0; done < sliceSize;) {
        const qint64 chunk = qint64(std::min<quint64>(ChunkSize, sliceSize - done));
        const qint64 fromFile = std::clamp<qint64>(length - qint64(done), 0, chunk);
        buffer.fill('\0', chunk);
        if (fromFile > 0 && file.read(buffer.data(), fromFile) != fromFile)
            return false;
        crc.add(buffer);
        md5.addData(buffer);
        done += quint64(chunk);
    }
    const QByteArrayView expected = QByteArrayView(set.checksums).sliced(slice * 20, 20);
    return crc.value() == par2ReadInteger(expected, 16, 4) && md5.result() == expected.first(16);
}

QString refusal(const QFileInfo &info)
{
    if (info.isSymLink())
        return QStringLiteral("a symbolic link, not replaced");
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    return {};
}

Par2FileCheck checkFile(const QString &folder, const Par2SetFile &set, quint64 sliceSize)
{
    Par2FileCheck check;
    check.path = folder + u'/' + QString::fromUtf8(set.description.name);
    check.goodSlices.fill(false, set.sliceCount);
    const QFileInfo info(check.path);
    if (!info.exists() && !info.isSymLink())
        return check;
    check.state = Par2FileCheck::State::Damaged;
    check.refusal = refusal(info);
    QFile file(check.path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return check;
    if (wholeFile(file, set.description)) {
        check.state = Par2FileCheck::State::Whole;
        check.goodSlices.fill(true);
        return check;
    }
    QByteArray buffer;
    for (qint64 s = 0; s < set.sliceCount; ++s)
        check.goodSlices[s] = goodSlice(file, set, sliceSize, s, buffer);
    return check;
}

} // namespace

QString Par2FileCheck::name() const
{
    return QFileInfo(path).fileName();
}

int Par2FileCheck::badSlices() const
{
    return int(goodSlices.count(false));
}

bool Par2Verification::isWhole() const
{
    for (const Par2FileCheck &file : files)
        if (file.state != Par2FileCheck::State::Whole)
            return false;
    return true;
}

Par2Verification verifyPar2Set(const Par2Set &set)
{
    Par2Verification verification;
    verification.files.resize(set.files.size());
    Par2FileCheck *checks = verification.files.data();
    par2ForEach(set.files.size(), [&](qsizetype f) { checks[f] = checkFile(set.folder, set.files[f], set.sliceSize); });
    for (const Par2FileCheck &check : verification.files)
        verification.blocksNeeded += check.badSlices();
    verification.blocksAvailable = int(set.recovery.size());
    return verification;
}

QString par2BlocksText(const Par2Verification &verification)
{
    const QString noun = verification.blocksNeeded == 1 ? QStringLiteral("block") : QStringLiteral("blocks");
    return QStringLiteral("%1 %2 needed, %3 available")
        .arg(verification.blocksNeeded)
        .arg(noun)
        .arg(verification.blocksAvailable);
}
