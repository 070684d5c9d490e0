// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — wace: writes a store-only ACE archive or volume set from a list file.
#include "volumes/runarchiver.h"
#include "wace/aceformat.h"

#include <ctime>

int main(int argc, char **argv)
{
    const ArchiverInfo info{"wace", ArchiveFormat::Ace,
                            "Usage: wace a -r -y [-v<KiB>] -m<0-5> ARCHIVE @LISTFILE\n"
                            "       wace a -y -ep [-v<KiB>] -m<0-5> ARCHIVE @LISTFILE",
                            "Writes one ACE archive (ACE 1.0 format) holding the files the list names.\n"
                            "\n"
                            "  -r            store folder paths: a folder line FOLDER/* adds the folder and\n"
                            "                everything below it, paths relative to the folder's parent\n"
                            "  -ep           store every file under its bare name, without folders\n"
                            "  -y            replace volumes of the same names without asking\n"
                            "  -v<KiB>       write volumes of exactly this many KiB of 1024 bytes (all but\n"
                            "                the last; -v1440 is a 1.44M floppy); without it one archive\n"
                            "                is written; before the first volume the number of volumes\n"
                            "                is printed: \"Volumes: N\"\n"
                            "  -m<0-5>       compression level: every level stores (no compression)\n"
                            "  ARCHIVE       NAME.ace (volumes NAME.ace, NAME.c00 ... NAME.c99, NAME.100 ...)\n"
                            "  @LISTFILE     one full path a line, UTF-8, LF or CR LF; a folder line\n"
                            "                ends with /* (or \\*.*) to add its contents\n"
                            "\n"
                            "Every volume but the last ends inside a file. ACE readers take names as\n"
                            "ASCII: an accented letter becomes its base letter, any other character\n"
                            "outside ASCII \"_\". Names are Windows names: \\ * ? : < > | \" and control\n"
                            "characters become \"_\" too. Each such name is named in a message; one that\n"
                            "then meets another name in its folder gets \" (2)\" (or the next free\n"
                            "number) before its extension. Times are kept to 2 seconds, and the\n"
                            "read-only attribute from the owner's write permission. Files over 4 GiB\n"
                            "use 64-bit headers, which unace 2.5 reads but unace 1.2b does not. A\n"
                            "missing or unreadable entry is skipped with a message.\n"
                            "\n"
                            "Exit status: 0 done; 1 done, but something was skipped, renamed or is over\n"
                            "4 GiB; 2 bad command line or failure (then no volume is left behind).\n"
                            "  --help        show this help\n"
                            "  --version     show the version\n"};
    return runArchiver(info, AceFormat(std::time(nullptr)), std::vector<std::string>(argv + 1, argv + argc));
}
