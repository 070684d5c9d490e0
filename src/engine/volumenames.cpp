// Varko 2000 — the names of an archive set's volumes and zips, and their number strings.
#include "volumenames.h"

#include "ripsettings.h"
#include "textformat.h"

VolumeNames::VolumeNames(bool rar, bool over99, int step, int volumeCount)
    : m_rar(rar)
    , m_over99(over99)
    , m_step(step)
    , m_count(volumeCount)
{
}

QString VolumeNames::firstExtension() const
{
    if (!m_rar)
        return QStringLiteral(".ace");
    return m_over99 ? QStringLiteral(".001") : QStringLiteral(".rar");
}

QString VolumeNames::volumeName(const QString &baseName, int i) const
{
    if (i == 1 || (m_rar && m_over99))
        return baseName + (i == 1 ? firstExtension() : u'.' + formatZeroPadded(i, 3));
    const int n = i - 2;
    if (m_rar) {
        // .r00 ... .r99, then the letter moves on: .s00 ... .s99, .t00 ...
        const QChar letter(u'r' + n / 100);
        return baseName + u'.' + letter + formatZeroPadded(n % 100, 2);
    }
    if (n < 100)
        return baseName + QStringLiteral(".c") + formatZeroPadded(n, 2);
    return baseName + u'.' + formatZeroPadded(n, 3);
}

QString VolumeNames::numberString(int i) const
{
    if (m_step == 0 || m_count == 1)
        return {};
    return formatZeroPadded(i, m_over99 ? 3 : 2);
}

QString VolumeNames::totalString() const
{
    return formatZeroPadded(m_count, m_over99 ? 3 : 2);
}

QString VolumeNames::dizNumber(int i) const
{
    return m_count == 1 ? QStringLiteral("01") : numberString(i);
}

QString zipBaseName(const QString &ripToDir, const QString &baseName, const QString &numberString)
{
    return folderWithSlash(folderWithoutSlash(ripToDir)) + baseName + numberString;
}
