// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — opening a rip script into the queue and the settings.
#pragma once

#include "engine/queue.h"
#include "store/ripsettings.h"
#include "store/settingsschema.h"
#include "store/storeresult.h"

/**
 * The one way a script is opened, whoever asks (the Open command, a recent
 * entry, the browser, the command line, headless packing): the queue is
 * cleared, lines 1 to 12 are read into `settings` telling `mirrors` (may be
 * null) as each is read, and the rows are added, a "(Not found!)" row for
 * each file that is gone; the totals are announced once at the end.
 *
 * On failure (the file cannot be read, a number out of range, a row's file
 * that exists but cannot be examined) the queue is left empty and the result
 * carries the path, two line feeds and "couldn't be loaded", with its title
 * and icon. Settings read before the failing line keep their new values.
 * `ripToAsWritten` (may be null) gets the rip-to folder as the script wrote
 * it, before a missing one gave way to the home folder.
 */
StoreResult openScript(const QString &path, Queue &queue, RipSettings &settings, SettingsMirrors *mirrors,
                       QString *ripToAsWritten = nullptr);
