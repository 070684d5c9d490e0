// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what the "List queue..." command hands the queue listing.
#pragma once

#include "engine/queue.h"
#include "store/queuelisting.h"
#include "store/ripsettings.h"

/**
 * The listing's snapshot of the window: the queue's rows as shown, its
 * total, the panels' captions that mirror `settings`, the archive-size
 * step `step` with its estimate, and the free space of the temporary folder.
 */
QueueListingInput queueListingInput(const Queue &queue, const RipSettings &settings, const QString &caption, int step);

/** Where the listing is written: cue.txt in the data folder. */
QString queueListingPath();
