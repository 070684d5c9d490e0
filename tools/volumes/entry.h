// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one file or folder on its way into an archive.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <sys/types.h>

/** A regular file or a folder found through the list file. */
struct Entry
{
    std::string sourcePath; // where it is read from
    std::string archivePath; // relative, "/" between components; as on disk until the format's name rule
    bool isDirectory = false;
    uint64_t size = 0; // 0 for a folder
    std::time_t mtime = 0;
    long mtimeNanoseconds = 0;
    mode_t mode = 0; // st_mode, file type bits included
    std::string storedName; // the name field as the format writes it (set by the format)
};
