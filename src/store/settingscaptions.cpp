// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what the main window's panels and menus show for a setting.
#include "store/settingscaptions.h"

QString archiveTypeCaption(qint16 rarace)
{
    return rarace == 1 ? QStringLiteral("Rar") : QStringLiteral("Ace");
}

QString zipCaption(qint16 zip)
{
    return zip == 1 ? QStringLiteral("Zip") : QString();
}

QString pathsCaption(qint16 savepaths)
{
    return savepaths == 1 ? QStringLiteral("Paths") : QString();
}

QString ripToCaption(const QString &riptodir)
{
    return riptodir + QString(10, u' ');
}

std::optional<int> checkedCompressionEntry(qint16 level)
{
    return level >= 0 && level <= 5 ? std::optional<int>(level) : std::nullopt;
}

QString startupFontSize(const QString &fonts)
{
    return fonts == u"10" || fonts == u"12" ? fonts : QStringLiteral("8");
}
