// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — starting the archiver from its command line and waiting for it.
#pragma once

#include "platform/processwait.h"

#include <QStringList>

/**
 * Splits a command line by the rules the archivers' command lines were
 * written for: blanks separate arguments, double quotes group and are
 * removed, a backslash escapes a quote (2n backslashes before a quote give
 * n and the quote groups; 2n+1 give n and a literal quote).
 */
QStringList splitCommandLine(const QString &line);

/**
 * The program `name` in the first of `folders` that holds it as an
 * executable file, else on PATH; empty when it is nowhere.
 */
QString locateProgram(const QString &name, const QStringList &folders);

/**
 * Where the archivers are looked for before PATH: the installed helper
 * folder (<prefix>/libexec/varko2000 beside <prefix>/bin), then the
 * program's own folder.
 */
QStringList defaultProgramFolders();

/**
 * Runs `cmdline`, whose first word names the program, found in `folders`
 * or on PATH, and waits for it as runAndWait does.
 */
ProcessOutcome ExecCmd(const QString &cmdline, const QStringList &folders, const ProcessWatch &watch = {});
