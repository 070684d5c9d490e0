// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — how a run ended, in words a person reads after it.
#pragma once

#include "engine/runresult.h"

#include <QString>

/** "1 zip", "3 zips": a count with its noun. */
QString countedNoun(qsizetype n, const QString &one, const QString &many);

/** What a run made, as far as its result does not say it. */
struct RunSummary
{
    QString baseName; ///< empty when the run ended before the name was given
    QString folder; ///< the rip-to folder
    int files = 0; ///< whole zips (or volumes, zipping off) left in the folder
    bool zipping = true;
};

/**
 * One sentence for the window's outcome line and the desktop notification:
 * "Set myrel complete: 5 zips in /home/u/rips", or why there is no set.
 * Empty for a run that never started.
 */
QString runSummaryText(const RunResult &result, const RunSummary &summary);
/** The notification's heading: "Set myrel complete", "Set myrel not made". */
QString runSummaryTitle(const RunResult &result, const RunSummary &summary);
