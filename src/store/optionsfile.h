// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — options.ini, the user's default settings.
#pragma once

#include "store/ripsettings.h"
#include "store/settingsschema.h"
#include "store/storeresult.h"

#include <QStringList>

/** The 21 lines of a fresh options.ini. */
QStringList defaultOptionsLines();

/** The 21 lines that save `settings`. */
QStringList savedOptionsLines(const RipSettings &settings);

/**
 * The settings file at one path. Every operation opens, reads or writes the
 * whole file and closes it; nothing stays open.
 */
class OptionsFile
{
public:
    explicit OptionsFile(QString path);

    const QString &path() const { return m_path; }

    /**
     * Start-up read: writes the defaults when the file is missing or has
     * fewer than 21 lines, reads it into `settings` and the mirrors, and on
     * any failure writes the defaults over it and reads those. When the
     * defaults cannot be written, `settings` holds the built-in defaults and
     * the result says why (the program goes on with them).
     */
    StoreResult loadOptions(RipSettings &settings, SettingsMirrors *mirrors) const;

    /** Reads the file again; a failure stops the read silently at its line. */
    void reloadOptions(RipSettings &settings, SettingsMirrors *mirrors) const;

    /** Writes the 21 default lines, replacing any existing file. */
    StoreResult writeDefaultOptions() const;

    /** Writes `settings` as the 21 lines; fails with "Options.ini save error". */
    StoreResult saveOptions(const RipSettings &settings) const;

    /**
     * Reads the file into `settings` for the options dialog, which then sets
     * its controls from it; fails with "Load options error", keeping the
     * fields read before the failing line.
     */
    StoreResult loadOptionsIntoDialog(RipSettings &settings) const;

private:
    // 0 when every line was read, else the failing line (-1: unreadable file).
    SettingsFault read(RipSettings &settings, SettingsMirrors *mirrors) const;

    QString m_path;
};
