// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — wrar: writes a store-only RAR archive or volume set from a list file.
#include "volumes/runarchiver.h"
#include "wrar/rarformat.h"

int main(int argc, char **argv)
{
    const ArchiverInfo info{"wrar", ArchiveFormat::Rar,
                            "Usage: wrar a -r0 [-v<bytes>b] -m<0-5> -y ARCHIVE @LISTFILE\n"
                            "       wrar a -ep [-v<bytes>b] -m<0-5> -y ARCHIVE @LISTFILE",
                            "Writes one RAR archive (RAR 1.5-4.x format) holding the files the list names.\n"
                            "\n"
                            "  -r0           store folder paths: a folder line FOLDER/* adds the folder and\n"
                            "                everything below it, paths relative to the folder's parent\n"
                            "  -ep           store every file under its bare name, without folders\n"
                            "  -v<bytes>b    write volumes of exactly this many bytes (all but the last);\n"
                            "                without it one archive is written; before the first volume\n"
                            "                the number of volumes is printed: \"Volumes: N\"\n"
                            "  -m<0-5>       compression level: every level stores (no compression)\n"
                            "  -y            replace volumes of the same names without asking\n"
                            "  ARCHIVE       NAME.rar (volumes NAME.rar, NAME.r00 ... NAME.r99, NAME.s00 ...)\n"
                            "                or NAME.001 (volumes NAME.001, NAME.002 ...)\n"
                            "  @LISTFILE     one full path a line, UTF-8, LF or CR LF; a folder line\n"
                            "                ends with /* (or \\*.*) to add its contents\n"
                            "\n"
                            "Every volume but the last ends inside a file. Unix permissions and\n"
                            "modification times to 100 ns are kept; names may use any characters but\n"
                            "the backslash, which readers take for a folder separator: it becomes \"_\",\n"
                            "with a message, and a name that then meets another name in its folder\n"
                            "gets \" (2)\" (or the next free number) before its extension.\n"
                            "A missing or unreadable entry is skipped with a message.\n"
                            "\n"
                            "Exit status: 0 done, 1 done but something was skipped, 2 bad command line\n"
                            "or failure (then no volume is left behind).\n"
                            "  --help        show this help\n"
                            "  --version     show the version\n"};
    return runArchiver(info, RarFormat(), std::vector<std::string>(argv + 1, argv + argc));
}
