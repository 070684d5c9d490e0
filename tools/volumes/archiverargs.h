// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the exact command lines wrar and wace accept.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ArchiveFormat { Rar, Ace };

/** What one accepted command line asks for. */
struct ArchiverArgs
{
    bool barePaths = false; // -ep: every file under its bare name
    uint64_t volumeBytes = 0; // 0: one archive, not a volume set
    int level = 0; // 0 to 5; every level stores
    std::string archive; // the first volume's path
    std::string listFile; // the path after "@"
};

enum class ArgsOutcome { Run, Help, Version, Usage };

/**
 * Parses the arguments after the program name. Accepted, and nothing else
 * (V the optional volume switch, L a level 0 to 5, A the archive, F the list file):
 *   RAR: a -r0 V -mL -y A @F   and   a -ep V -mL -y A @F   (V = -v<bytes>b)
 *   ACE: a -r -y V -mL A @F    and   a -y -ep V -mL A @F   (V = -v<KiB>)
 * or a lone --help or --version. A RAR archive ends ".rar" or ".001", an ACE
 * archive ".ace". An argument still wrapped in double quotes loses them.
 */
ArgsOutcome parseArchiverArgs(ArchiveFormat format, std::vector<std::string> args, ArchiverArgs &out);
