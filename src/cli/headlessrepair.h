// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — repairing a set from its PAR2 files on the command line: varko2000 --repair PATH.
#pragma once

#include <QStringList>

/** Whether the command line asks for a repair (it starts with --repair). */
bool isRepairRequest(const QStringList &arguments);

/**
 * `--repair PATH` (a zip of the set, one of its PAR2 files, or FOLDER/BASE): checks every file
 * the PAR2 files protect, rebuilds the damaged and missing ones, then tests the set as --test
 * does. Returns 0 when the set is whole afterwards, 1 when it cannot be repaired or is still
 * faulty, 2 for bad arguments or no PAR2 files at PATH.
 */
int runHeadlessRepair(const QStringList &arguments);
