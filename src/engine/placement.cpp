// Varko 2000 — where a queued row goes: the "In" column.
#include "engine/placement.h"

#include "store/settingscaptions.h"

bool isArchivePlacement(const QString &in)
{
    return in == Placement::Rar || in == Placement::Ace;
}

QString archivePlacement(const RipSettings &settings)
{
    return archiveTypeCaption(settings.rarace);
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

QString defaultPlacement(const QString &name, const RipSettings &settings)
{
    if (isZipping(settings)) {
        if (isDizName(name))
            return Placement::Zip;
        if (isNfoName(name))
            return settings.nfo1st == 1 ? Placement::FirstZipOnly : Placement::Zip;
    }
    return archivePlacement(settings);
}
