// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — rip scripts (*.v2k): the packing settings and the queue of one release.
#pragma once

#include "store/ripsettings.h"
#include "store/settingsschema.h"
#include "store/storeresult.h"

#include <QStringList>

/**
 * The lines of a script: the 12 packing settings of `settings` (its `size`
 * being the archive-size position), two "extra= " lines, then one full path
 * per queue row. An empty queue gives exactly 14 lines.
 */
QStringList scriptLines(const RipSettings &settings, const QStringList &rowPaths);

/** What reading a script gave: the row paths, or the failure. */
struct ScriptRead
{
    StoreResult result;
    QStringList rowPaths;
    /** The rip-to folder as the script wrote it, before a missing one gives way to the home folder. */
    QString ripToAsWritten;
};

/**
 * Reads the settings of lines 1 to 12 into `settings`, telling `mirrors`
 * (may be null) as each is read, then the row paths from line 15 until the
 * end or the first empty line. On failure the message is the path, two line
 * feeds and "couldn't be loaded"; settings read before the failing line keep
 * their new values.
 */
ScriptRead parseScript(const QString &path, const QStringList &lines, RipSettings &settings, SettingsMirrors *mirrors);

/** `parseScript` on the file at `path`. */
ScriptRead readScript(const QString &path, RipSettings &settings, SettingsMirrors *mirrors);

/** The failure of reading the script at `path`: the path, two line feeds and "couldn't be loaded". */
StoreResult scriptLoadFailure(const QString &path, const QString &detail);

/** A recent entry about to be opened: a failure, the path and " has moved", when no file is there. */
StoreResult recentScriptCheck(const QString &path);

/** Save as: the chosen name, with ".v2k" appended unless it already ends so (in any case). */
QString scriptSaveAsPath(const QString &chosen);

/** The script "Rip script" (File > New) writes in `folder`. */
QString newScriptPath(const QString &folder);

/** Writes the script; on failure the message is the path, two line feeds and "couldn't be saved". */
StoreResult writeScript(const QString &path, const RipSettings &settings, const QStringList &rowPaths);
