// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — how a PAR 2.0 set's recovery slices are shared out among its volume files.
#pragma once

#include <QList>
#include <QString>

/** One volume file: `count` recovery slices from exponent `first`. */
struct Par2Volume
{
    int first = 0;
    int count = 0;
    QString fileName; ///< BASE.volFIRST+COUNT.par2
};

/**
 * Volumes holding 1, 2, 4, 8... slices, the last one what remains, named with numbers of one
 * width so that they sort as they follow.
 */
QList<Par2Volume> par2VolumePlan(const QString &base, int recoverySlices);
