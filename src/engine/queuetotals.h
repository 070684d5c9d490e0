// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the queue's running totals and the row last clicked.
#pragma once

#include "engine/placement.h"

#include <QString>

/** Kept in step with the queue's rows by the Queue model. */
struct QueueTotals
{
    qint32 count = 0;
    double totalKB = 0; ///< unrounded sum of the counted rows' kilobytes
    QString selectedPath; ///< full path of the row last clicked; empty when none
    Placement selectedPlacement = Placement::None;
    QString selectedName;
    bool selectedIsDiz = false;

    /** The "Queue totals" panel: "Queue empty", or " 3 - 1,234KB". */
    QString panelText() const;
};

/** The panel text for an empty queue. */
inline const QString kQueueEmptyText = QStringLiteral("Queue empty");
