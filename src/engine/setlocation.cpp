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
    return QRegularExpression(QStringLiteral("^%1(\\d{%2})\\.zip$").arg(QRegularExpression::escape(baseName)).arg(digits));
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

// The numbering most of the folder's zips of that name follow: a base name
// may end in digits itself, so the one that names more zips wins.
SetLocation withBestDigits(const QString &folder, const QStringList &baseNames)
{
    SetLocation best{folder, {}, 2, {}};
    std::size_t most = 0;
    for (const QString &baseName : baseNames) {
        for (const int digits : {2, 3, 0}) {
            const std::size_t found = numbersIn(folder, baseName, digits).size();
            if (found > most) {
                most = found;
                best.baseName = baseName;
                best.digits = digits;
            }
        }
    }
    return best;
}

// The base name a zip of the set gives: that of the volume it holds first.
QString baseFromVolume(const QString &zipPath, const QString &stem)
{
    const ZipReader reader(zipPath);
    if (!reader.isOpen() || reader.members().empty())
        return {};
    const QString volume = reader.members().front().name;
    const QString baseName = volume.left(volume.lastIndexOf(u'.'));
    static const QRegularExpression number(QStringLiteral("^(\\d{2,3})?$"));
    const bool fits = !baseName.isEmpty() && stem.startsWith(baseName) && number.match(stem.mid(baseName.size())).hasMatch();
    return fits ? baseName : QString();
}

QStringList baseCandidates(const QString &zipPath, const QString &stem)
{
    if (const QString fromVolume = baseFromVolume(zipPath, stem); !fromVolume.isEmpty())
        return {fromVolume};
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
        return failure(QStringLiteral("%1 is a folder: name a zip of the set, its .sfv, or the folder and base name").arg(path));
    if (!QFileInfo(folder).isDir())
        return failure(QStringLiteral("there is no folder %1").arg(folder));
    SetLocation location;
    const QString name = info.fileName();
    if (info.isFile() && name.endsWith(kZip))
        location = withBestDigits(folder, baseCandidates(path, name.chopped(kZip.size())));
    else if (info.isFile() && name.endsWith(kSfv))
        location = withBestDigits(folder, {name.chopped(kSfv.size())});
    else if (!info.exists())
        location = withBestDigits(folder, {name});
    if (location.baseName.isEmpty())
        return failure(QStringLiteral("nothing to test at %1: no zip of a set there").arg(path));
    return location;
}
