// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the settings record: every packing and view setting the program keeps.
#pragma once

#include <QString>

#include <optional>

/**
 * One field per key of options.ini. Numbers are 16-bit; texts are kept as
 * read. A default-constructed record holds the default settings.
 *
 * `tdrive` is the temporary folder (no trailing '/', except for "/" itself)
 * under which the rip run makes its work folder. `riptodir` is the folder the
 * finished set goes to.
 */
struct RipSettings
{
    qint16 warnings = 1;
    qint16 sound = 1;
    QString fonts = QStringLiteral("10");
    QString view = QStringLiteral("2");
    QString sort = QStringLiteral("3");
    QString tdrive = defaultTempFolder();
    qint16 rarace = 1;
    qint16 savepaths = 0;
    qint16 size = 3;
    qint16 racomp = 3;
    qint16 zip = 1;
    qint16 nfo1st = 0;
    qint16 zipcomp = 3;
    QString riptodir = defaultRipToDir();
    qint16 zcomment = 0;
    QString comment;
    qint16 dnumber = 0;
    qint16 layer = 0;

    bool operator==(const RipSettings &) const = default;

    /** The system's temporary folder, without a trailing '/'. */
    static QString defaultTempFolder();
    /** The user's home folder with its trailing '/': the rip-to folder of a fresh install. */
    static QString defaultRipToDir();
};

/** A folder as a text to which a name can be appended: "/tmp" gives "/tmp/", "/" stays "/". */
QString folderWithSlash(const QString &folder);

/** A folder without its trailing '/' ("/tmp/" gives "/tmp"); the root stays "/". */
QString folderWithoutSlash(const QString &folder);

/** The free bytes available to the user where the work folder goes (`tdrive`); none when unreadable. */
std::optional<qint64> tempFolderFreeBytes(const RipSettings &settings);
