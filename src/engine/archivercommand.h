// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the archiver's command line, built from the settings and the size step.
#pragma once

#include <QByteArrayView>
#include <QString>

/** Pure functions: the exact text of the archiver call, and what it says back. */
namespace ArchiverCommand {

/**
 * The volume switch for step 1 to 199: RAR "-v" + bytes + "b" (step 3:
 * -v1440000b), ACE "-v" + kilobytes (step 3: -v1440); empty for step 0.
 */
QString volumeSwitch(bool rar, int step);

/** The switches S: the volume switch, " -m", the level (step 0: " -m3"). */
QString switches(bool rar, int step, int level);

/** The archive argument: the path, in double quotes when it holds a blank. */
QString archiveArgument(const QString &archivePath);

/** The list argument: "@" and the list file's path, always in double quotes. */
QString listArgument(const QString &listFile);

/**
 * The whole line, for example
 * `wrar a -ep -v1440000b -m3 -y /tmp/~Varko01/myrel.rar "@/home/u/.config/varko2000/ripfiles.txt"`.
 * `savePaths` is the `savepaths` setting: only 1 stores folder paths.
 */
QString commandLine(bool rar, int step, int level, int savePaths, const QString &archivePath, const QString &listFile);

/**
 * The volume count in a line the archiver printed before its first volume
 * ("Volumes: 12"); 0 for any other line.
 */
int plannedVolumes(QByteArrayView line);

} // namespace ArchiverCommand
