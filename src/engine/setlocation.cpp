// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — finding a whole set from one of its zips, its .sfv, or its folder and base name.
#include "engine/setlocation.h"

#include "engine/volumenames.h"
#include "store/ripsettings.h"
#include "zip/zipreader.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kZip = QStringLiteral(".zip");
const QString kSfv = QStringLiteral(".sfv");

QRegularExpression zipPattern(const QString &baseName, int digits)
{
    return QRegularExpression(
        QStringLiteral("^%1(\\d{%2})\\.zip$").arg(QRegularExpression::escape(baseName)).arg(digits));
}

std::vector<int> numbersIn(const QString &folder, const QString &baseName, int digits)
{
    std::vector<int> numbers;
    const QRegularExpression pattern = zipPattern(baseName, digits);
    for (const QString &name : QDir(folder).entryList({baseName + u'*' + kZip}, QDir::Files)) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (match.hasMatch())
            numbers.push_back(digits == 0 ? 1 : match.captured(1).toInt());
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// Whether the zips of that name hold volumes of that base name: the first
// zip that opens says, by the name of the volume it holds first.
bool volumesConfirm(const SetLocation &candidate, const std::vector<int> &numbers)
{
    for (const int number : numbers) {
        const ZipReader zip(candidate.zipPath(number, number));
        if (!zip.isOpen() || zip.members().empty())
            continue;
        const QString volume = zip.members().front().name;
        return volume.left(volume.lastIndexOf(u'.')) == candidate.baseName;
    }
    return false;
}

// A base name may end in digits itself ("rel2" + "01", or "rel" + "201"):
// the reading the volumes inside confirm wins, then the one naming more zips.
SetLocation bestReading(const QString &folder, const QStringList &baseNames)
{
    SetLocation best{folder, {}, 2, {}};
    qsizetype bestScore = 0;
    for (const QString &baseName : baseNames) {
        for (const int digits : {2, 3, 0}) {
            const SetLocation candidate{folder, baseName, digits, {}};
            const std::vector<int> numbers = numbersIn(folder, baseName, digits);
            if (numbers.empty())
                continue;
            const qsizetype score = qsizetype(numbers.size()) + (volumesConfirm(candidate, numbers) ? 10000 : 0);
            if (score > bestScore) {
                bestScore = score;
                best = candidate;
            }
        }
    }
    return best;
}

// The zip's name without ".zip", and without the two or three digits its number may have.
QStringList baseCandidates(const QString &stem)
{
    QStringList candidates{stem};
    static const QRegularExpression digits(QStringLiteral("\\d{1,3}$"));
    const qsizetype trailing = digits.match(stem).capturedLength();
    for (const qsizetype cut : {2, 3})
        if (trailing >= cut && stem.size() > cut)
            candidates << stem.chopped(cut);
    return candidates;
}

SetLocation failure(const QString &problem)
{
    return {{}, {}, 2, problem};
}

} // namespace

QString SetLocation::zipPath(int i, int count) const
{
    // Two or three digits mean a set of two zips at least.
    const VolumeNames names(true, digits == 3, 1, digits == 0 ? 1 : std::max(count, 2));
    return zipBaseName(folder, baseName, names.numberString(i)) + kZip;
}

QString SetLocation::sfvPath() const
{
    return folderWithSlash(folder) + baseName + kSfv;
}

std::vector<int> SetLocation::presentZips() const
{
    return numbersIn(folder, baseName, digits);
}

SetLocation locateSet(const QString &path)
{
    if (path.isEmpty())
        return failure(QStringLiteral("no set named"));
    const QFileInfo info(path);
    const QString folder = folderWithoutSlash(info.absolutePath());
    if (info.isDir())
        return failure(
            QStringLiteral("%1 is a folder: name a zip of the set, its .sfv, or the folder and base name").arg(path));
    if (!QFileInfo(folder).isDir())
        return failure(QStringLiteral("there is no folder %1").arg(folder));
    SetLocation location;
    const QString name = info.fileName();
    if (info.isFile() && name.endsWith(kZip))
        location = bestReading(folder, baseCandidates(name.chopped(kZip.size())));
    else if (info.isFile() && name.endsWith(kSfv))
        location = bestReading(folder, {name.chopped(kSfv.size())});
    else if (!info.exists())
        location = bestReading(folder, {name});
    if (location.baseName.isEmpty())
        return failure(QStringLiteral("nothing to test at %1: no zip of a set there").arg(path));
    return location;
}
