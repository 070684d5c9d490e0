// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the one declared table of settings keys, shared by every reader and writer.
#pragma once

#include "store/ripsettings.h"

#include <QStringList>

#include <span>

/** The keys of options.ini in line order. */
enum class SettingKey {
    Warnings,
    Sound,
    Font,
    Fonts,
    Procolor,
    View,
    Sort,
    Tdrive,
    Rarace,
    Savepaths,
    Size,
    Racomp,
    Zip,
    Nfo1st,
    Zipcomp,
    Riptodir,
    Zcomment,
    Comment,
    Dnumber,
    Layer,
    Extra,
};

/** How a key's value is written and read. */
enum class SettingKind {
    Placeholder, ///< a line of the file only: "font= "
    Number, ///< "racomp= 3"
    Flag, ///< a number that reads as 1 only when exactly 1, else 0
    Text, ///< "fonts= 10"
    TextNumber, ///< text holding a number, saved as a number: "view= 2"
    Folder, ///< the temporary folder: read without its trailing '/'
    ExistingPath, ///< the rip-to folder: reads as the default when nothing of that path exists
};

struct SettingSpec
{
    SettingKey key;
    const char *name;
    SettingKind kind;
    int readColumn; ///< 1-based column where the value starts; 0: the line is skipped
    qint16 RipSettings::*number = nullptr;
    QString RipSettings::*text = nullptr;
};

/** The 21 lines of options.ini, in order. */
std::span<const SettingSpec> optionsSchema();

/** Lines 1 to 14 of a rip script, in order (13 and 14 are "extra= "). */
std::span<const SettingSpec> scriptSchema();

/** The line a writer puts down for this key: "racomp= 3", "riptodir= /home/x/". */
QString encodeSetting(const SettingSpec &spec, const RipSettings &settings);

/** What the main window shows of the settings; implemented by the window. */
class SettingsMirrors
{
public:
    enum class Origin { OptionsFile, Script };
    virtual ~SettingsMirrors() = default;
    /** Called right after `key` was read into `settings`, for every key read. */
    virtual void mirrorSetting(SettingKey key, const RipSettings &settings, Origin origin) = 0;
};

/** Where reading settings lines stopped, and why. */
struct SettingsFault
{
    int line = 0; ///< 1-based; 0 when every line was taken, -1 when the file could not be read
    QString key; ///< the key of the line, when its value was refused
    QString reason; ///< why the value was refused; empty for a missing line or a number out of range

    explicit operator bool() const { return line != 0; }
    /** A value refused for its bytes (a NUL, not UTF-8), not a short or damaged number. */
    bool refusedValue() const { return !reason.isEmpty(); }
    /** "PATH: line 11 (riptodir): holds a NUL byte", or "PATH: line 4". */
    QString describe(const QString &path) const;
};

/**
 * Why a path or text read from a file cannot be taken: a NUL byte (the
 * system would see only the part before it) or bytes that are not UTF-8;
 * empty when it can.
 */
QString textValueProblem(const QString &value);

/**
 * Reads `lines` by position against `specs` into `settings`, applying each
 * value as it is read and telling `mirrors` (may be null). Stops at the first
 * line missing, holding a number outside the 16-bit range or a text value
 * `textValueProblem` refuses; fields read before it keep their values.
 */
SettingsFault readSettingLines(std::span<const SettingSpec> specs, const QStringList &lines, RipSettings &settings,
                               SettingsMirrors *mirrors, SettingsMirrors::Origin origin);
