// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — packing a rip script without a window: varko2000 --pack SCRIPT.v2k --name BASE.
#pragma once

#include <QStringList>

/** Exit statuses of headless packing. */
enum HeadlessExit { PackedSet = 0, RunEnded = 1, BadArguments = 2 };

/** Whether the command line asks for headless packing (it holds --pack). */
bool isPackRequest(const QStringList &arguments);

/**
 * Loads options.ini and the script, fills the queue from the script's rows
 * and runs the rip run with every question answered OK or Yes (old zips of
 * the set are replaced only with --replace). Returns 0 for a complete set,
 * 1 for a set with warnings or a run that ended by its cancel or error path,
 * 2 for bad arguments: a missing or unreadable script, a rip-to folder that
 * does not exist, a zip comment that cannot be read, a base name that breaks
 * the rule or is too long for the set; 128 + the signal when one stopped it.
 */
int runHeadlessPack(const QStringList &arguments);
