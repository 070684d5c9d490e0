// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the program-wide state a rip run shares with the window.
#pragma once

/** Owned by the main window (or the headless runner) for the life of the program. */
struct RipState
{
    /** Set while a run works; clearing it (Close, shutdown) ends the archiver at once, or the run at its next volume.
     */
    bool ripInProgress = false;
    /** The last estimate found more than 99 volumes: three-digit numbers, a shorter base name. */
    bool over99 = false;
    /** Escape or shutdown: the zip being written stops and the run takes its zip-error path. */
    bool zipAbortRequested = false;
};
