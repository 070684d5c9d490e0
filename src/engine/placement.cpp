// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — where a queued row goes: the "In" column.
#include "engine/placement.h"

QString placementText(Placement in)
{
    switch (in) {
    case Placement::Rar: return QStringLiteral("Rar");
    case Placement::Ace: return QStringLiteral("Ace");
    case Placement::Zip: return QStringLiteral("Zip");
    case Placement::FirstZipOnly: return QStringLiteral("1st Zip only");
    case Placement::None: break;
    }
    return {};
}

bool isArchivePlacement(Placement in)
{
    return in == Placement::Rar || in == Placement::Ace;
}

Placement archivePlacement(const RipSettings &settings)
{
    // Any value but 1 is ACE, as the archive-type panel shows it.
    return settings.rarace == 1 ? Placement::Rar : Placement::Ace;
}

bool isZipping(const RipSettings &settings)
{
    return settings.zip == 1;
}

bool isDizName(const QString &name)
{
    return name.toLower() == kDizName;
}

bool isNfoName(const QString &name)
{
    return name.toLower().endsWith(QStringLiteral(".nfo"));
}

Placement defaultPlacement(const QString &name, const RipSettings &settings)
{
    if (isZipping(settings)) {
        if (isDizName(name))
            return Placement::Zip;
        if (isNfoName(name))
            return settings.nfo1st == 1 ? Placement::FirstZipOnly : Placement::Zip;
    }
    return archivePlacement(settings);
}
