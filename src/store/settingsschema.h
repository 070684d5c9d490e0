// Varko 2000 — the one declared table of settings keys, shared by every reader and writer.
#pragma once

#include "store/ripsettings.h"

#include <QStringList>

#include <span>

/** The keys of options.ini in line order. */
enum class SettingKey {
    Warnings, Sound, Font, Fonts, Procolor, View, Sort, Tdrive, Rarace, Savepaths, Size,
    Racomp, Zip, Nfo1st, Zipcomp, Riptodir, Zcomment, Comment, Dnumber, Layer, Extra,
};

/** How a key's value is written and read. */
enum class SettingKind {
    Placeholder,  ///< a line of the file only: "font= "
    Number,       ///< "racomp= 3"
    Flag,         ///< a number that reads as 1 only when exactly 1, else 0
    Text,         ///< "fonts= 10"
    TextNumber,   ///< text holding a number, saved as a number: "view= 2"
    Folder,       ///< the temporary folder: read without its trailing '/'
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

/**
 * Reads `lines` by position against `specs` into `settings`, applying each
 * value as it is read and telling `mirrors` (may be null). Returns 0 when all
 * lines were read, else the 1-based number of the line that failed: missing,
 * or a number outside the 16-bit range. Fields read before it keep their values.
 */
int readSettingLines(std::span<const SettingSpec> specs, const QStringList &lines,
                     RipSettings &settings, SettingsMirrors *mirrors, SettingsMirrors::Origin origin);
