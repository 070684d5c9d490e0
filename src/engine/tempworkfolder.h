// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the run's work folder under the temporary folder: ~Varko01, ~Varko02, ...
#pragma once

#include <QString>

namespace TempWorkFolder {

/** "<temporary folder>/~VarkoNN", the counter at least two digits. */
QString name(const QString &temporaryFolder, int counter);

/**
 * Makes the work folder with the lowest free counter from 1 upwards; a
 * plain mkdir, so a name that exists is never taken over. Returns its path,
 * or the empty text when no folder could be made (the temporary folder is
 * missing or not writable), with "FOLDER: why" in `why`.
 */
QString create(const QString &temporaryFolder, QString *why = nullptr);

} // namespace TempWorkFolder
