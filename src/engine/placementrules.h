// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the placement commands: archive type, zipping, nfo in the first zip, per-row placement.
#pragma once

#include "engine/queue.h"
#include "store/ripsettings.h"

/**
 * Each operation writes the settings and the rows; the window then sets
 * the captions and check marks that mirror the settings.
 */
namespace PlacementRules {

/** RAR (true) or ACE: `rarace`, and every row in the other archive value follows. */
void setArchiveType(Queue &queue, RipSettings &settings, bool rar);

/** Zipping on or off (`zip`), then every row re-placed. */
void setZipping(Queue &queue, RipSettings &settings, bool on);

/**
 * Every row to the archive; then, while zipping, file_id.diz to "Zip" and
 * each .nfo to "1st Zip only" or "Zip" after `nfo1st`. Hand placements are lost.
 */
void replaceAll(Queue &queue, const RipSettings &settings);

/**
 * "Nfo in first zip": flips `nfo1st`; .nfo rows in "Zip" go to "1st Zip
 * only" when it comes on, and back when it goes off. Archive rows stay.
 */
void toggleNfoFirst(Queue &queue, RipSettings &settings);

/**
 * The options dialog's "Nfo in 1st zip only" box: `nfo1st` set, and every
 * .nfo row, wherever it was, to "1st Zip only" (true) or "Zip".
 */
void setNfoFirst(Queue &queue, RipSettings &settings, bool firstOnly);

/** The "&Queue" entries "In Rar/Ace", "In Zip", "1st Zip only" on one row. */
void placeInArchive(Queue &queue, const RipSettings &settings, int row);
void placeInZip(Queue &queue, int row);
void placeInFirstZip(Queue &queue, int row);

/** What the "&Queue" menu offers when it opens. */
struct QueueMenuState
{
    bool openItem = false, removeItem = false, clearQueue = false, properties = false;
    bool packIt = false, listQueue = false;
    bool inArchive = false, inZip = false, inFirstZip = false; ///< enabled
    bool inArchiveChecked = false, inZipChecked = false, inFirstZipChecked = false;
    QString inArchiveCaption; ///< "In Rar" or "In Ace"
};

/**
 * The menu for the queue's totals and the first selected row (-1: none).
 * While zipping is off only the archive entry is offered; while it is on,
 * file_id.diz can only go in every zip; a not-found row cannot be re-placed.
 */
QueueMenuState queueMenuState(const Queue &queue, const RipSettings &settings, int selectedRow);

} // namespace PlacementRules
