// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the names of an archive set's volumes and zips, and their number strings.
#include "engine/volumenames.h"

#include "naming/volumenaming.h"
#include "store/ripsettings.h"
#include "store/textformat.h"

#include <QDir>
#include <QRegularExpression>

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
    // The archivers' own rule, so the run finds exactly the volumes they wrote.
    const VolumeNaming naming((baseName + firstExtension()).toStdString());
    return QString::fromStdString(naming.name(std::size_t(i - 1)));
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

QStringList existingSetZips(const QString &ripToDir, const QString &baseName)
{
    QStringList found;
    for (const QString &name :
         QDir(folderWithoutSlash(ripToDir))
             .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        if (isSetZipName(baseName, name))
            found << name;
    return found;
}

bool isSetZipName(const QString &baseName, const QString &fileName)
{
    const QRegularExpression setZip(QStringLiteral("^") + QRegularExpression::escape(baseName)
                                    + QStringLiteral("(\\d{2,3})?\\.zip$"));
    return setZip.match(fileName).hasMatch();
}
