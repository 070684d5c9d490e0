// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — options.ini and script lines as the program writes them, and one changed set of settings.
#pragma once

#include "store/ripsettings.h"

#include <QStringList>

/** options.ini as a first start writes it, `home` being the home folder. */
inline QStringList defaultOptionsFile(const QString &home)
{
    return {"warnings= 1", "sound= 1",     "font= ",     "fonts= 10",
            "procolor= ",  "view= 2",      "sort= 3",    "tdrive= /tmp/",
            "rarace= 1",   "savepaths= 0", "size= 3",    "racomp= 3",
            "zip= 1",      "nfo1st= 0",    "zipcomp= 3", "riptodir= " + home + "/",
            "zcomment= 0", "comment= ",    "dnumber= 0", "layer= 0 ",
            "extra= "};
}

/** The fourteen lines a script of the default settings begins with. */
inline QStringList defaultScriptHeader(const QString &home)
{
    return {"tdrive= /tmp", "rarace= 1",  "savepaths= 0",
            "size= 3",      "racomp= 3",  "zip= 1",
            "nfo1st= 0",    "zipcomp= 3", "riptodir= " + home + "/",
            "zcomment= 0",  "comment= ",  "dnumber= 0",
            "extra= ",      "extra= "};
}

/** Every setting away from its default, the folders in `home`. */
inline RipSettings changedSettings(const QString &home)
{
    RipSettings settings;
    settings.warnings = 0;
    settings.sound = 0;
    settings.fonts = "12";
    settings.view = "3";
    settings.sort = "1";
    settings.tdrive = home;
    settings.rarace = 0;
    settings.savepaths = 1;
    settings.size = 199;
    settings.racomp = 5;
    settings.zip = 0;
    settings.nfo1st = 1;
    settings.zipcomp = 0;
    settings.riptodir = "/tmp/";
    settings.zcomment = 1;
    settings.comment = home + "/comment with blanks.txt";
    settings.dnumber = 1;
    settings.layer = 1;
    return settings;
}
