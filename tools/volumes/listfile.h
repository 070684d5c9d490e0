// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the list file an archiver reads: one path a line.
#pragma once

#include <optional>
#include <string>
#include <vector>

/** One line of a list file. */
struct ListLine
{
    std::string path; // without the wildcard and without a trailing "/"
    bool wildcard = false; // the line ended "/*", "/*.*", "\*" or "\*.*": the folder's contents
};

/** The largest list file read: far beyond any release, short of exhausting memory. */
constexpr long long kMaxListFileBytes = 64LL * 1024 * 1024;

/**
 * Reads the list file: UTF-8, LF or CR LF line ends, a byte order mark
 * ignored, blank lines skipped. No value when it cannot be read, is not a
 * regular file (a FIFO is never waited on) or is larger than the limit;
 * `why` then says "PATH: why".
 */
std::optional<std::vector<ListLine>> readListFile(const std::string &path, std::string *why = nullptr);

/** Splits one line into its path and whether it names a folder's contents. */
ListLine parseListLine(std::string line);
