// Varko 2000 — the list file an archiver reads: one path a line.
#pragma once

#include <optional>
#include <string>
#include <vector>

/** One line of a list file. */
struct ListLine
{
    std::string path;      // without the wildcard and without a trailing "/"
    bool wildcard = false; // the line ended "/*", "/*.*", "\*" or "\*.*": the folder's contents
};

/**
 * Reads the list file: UTF-8, LF or CR LF line ends, a byte order mark
 * ignored, blank lines skipped. No value when the file cannot be read
 * (errno tells why).
 */
std::optional<std::vector<ListLine>> readListFile(const std::string &path);

/** Splits one line into its path and whether it names a folder's contents. */
ListLine parseListLine(std::string line);
