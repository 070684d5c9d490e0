// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one archiver run, from the command line to the written set.
#pragma once

#include "volumes/archiverargs.h"

#include <string>
#include <vector>

class FormatWriter;

/** What the help and version texts of one archiver say. */
struct ArchiverInfo
{
    std::string program; // "wrar"
    ArchiveFormat format;
    std::string usage; // the usage lines, shown on a bad command line too
    std::string help; // the rest of --help
};

/**
 * Runs the archiver for `args` (the arguments after the program name) and
 * returns its exit status: 0 done, 1 done but something was skipped or
 * changed, 2 a usage error or a failure, after which no volume is left.
 */
int runArchiver(const ArchiverInfo &info, const FormatWriter &format, const std::vector<std::string> &args);
