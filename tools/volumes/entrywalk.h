// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — from the list file's lines to the files and folders to archive.
#pragma once

#include "volumes/entry.h"
#include "volumes/listfile.h"

#include <functional>
#include <string>
#include <vector>

class Diagnostics;

/** Tells whether a file (its folder's stat, its name) is one of the volumes being written. */
using OutputFilter = std::function<bool(const struct stat &folder, const std::string &name)>;

/**
 * Collects the entries the lines name, in line order, folders walked
 * depth-first with names sorted bytewise:
 * - a file: the file, under its name;
 * - a folder with a wildcard, or without one unless `barePaths`: the folder
 *   and everything below it, paths relative to the folder's parent, empty
 *   folders included;
 * - with `barePaths`: every file below a folder, under its bare name, no folders.
 * A line naming a link is followed; below it, a link to a file stores the
 * file and a link to a folder is skipped with a warning, never walked.
 * Names are as on disk. Anything missing, unreadable or neither a regular
 * file nor a folder is skipped with a warning. Files the filter names are
 * left out silently. Every file is opened once here, so an entry is readable
 * when the walk ends.
 */
std::vector<Entry> collectEntries(const std::vector<ListLine> &lines, bool barePaths, const OutputFilter &isOutput,
                                  Diagnostics &diagnostics);
