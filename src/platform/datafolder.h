// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — where the program keeps its own files.
#pragma once

#include <QString>

/**
 * The folder of options.ini, varko2k.ini, ripfiles.txt, cue.txt and the
 * numbered file_id.diz: $VARKO_HOME when set; else the executable's folder
 * when it is writable (a portable install); else $XDG_CONFIG_HOME/varko2000.
 * The folder is created when missing. No trailing '/'.
 */
QString dataFolder();

/** `name` inside the data folder. */
QString dataFile(const QString &name);
