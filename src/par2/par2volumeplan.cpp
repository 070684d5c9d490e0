// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — how a PAR 2.0 set's recovery slices are shared out among its volume files.
#include "par2volumeplan.h"

#include <algorithm>

QList<Par2Volume> par2VolumePlan(const QString &base, int recoverySlices)
{
    const int width = std::max<int>(2, int(QString::number(recoverySlices).size()));
    QList<Par2Volume> plan;
    for (int first = 0, count = 1; first < recoverySlices; first += count, count *= 2) {
        const int here = std::min(count, recoverySlices - first);
        plan.append({first, here,
                     QStringLiteral("%1.vol%2+%3.par2")
                         .arg(base)
                         .arg(first, width, 10, QLatin1Char('0'))
                         .arg(here, width, 10, QLatin1Char('0'))});
        if (here < count)
            break;
    }
    return plan;
}
