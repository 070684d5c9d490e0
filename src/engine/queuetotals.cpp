// Varko 2000 — the queue's running totals and the row last clicked.
#include "queuetotals.h"

#include "textformat.h"

QString QueueTotals::panelText() const
{
    if (count == 0)
        return kQueueEmptyText;
    return numberText(count) + QStringLiteral(" - ") + formatThousands(totalKB) + QStringLiteral("KB");
}
