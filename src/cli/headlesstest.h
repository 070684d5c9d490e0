// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — testing a finished set from the command line: varko2000 --test PATH.
#pragma once

#include <QStringList>

/** Whether the command line asks for a set test (it starts with --test). */
bool isTestRequest(const QStringList &arguments);

/** `--test PATH`: the set test below on PATH; 2 for bad arguments. */
int runHeadlessTest(const QStringList &arguments);

/**
 * Tests the set `path` points at (a zip of it, its .sfv, or the rip-to
 * folder and base name), printing one line per zip, the verdict, and for a
 * faulty set with PAR2 files beside it whether they can repair it.
 * Returns 0 when the set is whole, 1 when a fault was found, 2 for a path
 * where no set lies. The lines go to standard output, or to standard error
 * with `toStandardError` (when standard output carries something else).
 */
int testSetAt(const QString &path, bool toStandardError = false);
