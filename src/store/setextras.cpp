// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what a finished set gets besides its zips: an .sfv, PAR2 files, and how much recovery data.
#include "store/setextras.h"

#include <QSettings>

namespace {

constexpr int DefaultRedundancy = 10;

QSettings store()
{
    return QSettings(QStringLiteral("Norwen"), QStringLiteral("Varko 2000"));
}

bool flag(const QString &key)
{
    return store().value(key, false).toBool();
}

} // namespace

namespace SetExtras {

bool writeSfv()
{
    return flag(QStringLiteral("WriteSfv"));
}

void setWriteSfv(bool on)
{
    store().setValue(QStringLiteral("WriteSfv"), on);
}

bool writePar2()
{
    return flag(QStringLiteral("WritePar2"));
}

void setWritePar2(bool on)
{
    store().setValue(QStringLiteral("WritePar2"), on);
}

// A value edited by hand to something not offered falls back to the default, never to no recovery data.
int redundancy()
{
    bool number = false;
    const int percent = store().value(QStringLiteral("Par2Redundancy"), DefaultRedundancy).toInt(&number);
    return number && redundancyChoices().contains(percent) ? percent : DefaultRedundancy;
}

void setRedundancy(int percent)
{
    if (redundancyChoices().contains(percent))
        store().setValue(QStringLiteral("Par2Redundancy"), percent);
}

const QList<int> &redundancyChoices()
{
    static const QList<int> choices{5, 10, 20, 30};
    return choices;
}

} // namespace SetExtras
