// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue's running totals and the row last clicked.
#include "engine/queuetotals.h"

#include "store/textformat.h"

QString QueueTotals::panelText() const
{
    if (count == 0)
        return kQueueEmptyText;
    return numberText(count) + QStringLiteral(" - ") + formatThousands(totalKB) + QStringLiteral("KB");
}
