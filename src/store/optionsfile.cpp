// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — options.ini, the user's default settings.
#include "store/optionsfile.h"

#include "platform/plainfile.h"
#include "store/lineformat.h"

namespace {

constexpr int kLineCount = 21;
constexpr int kLinesRead = 20; // line 21 is never read

SettingsFault readLines(const QStringList &lines, RipSettings &settings, SettingsMirrors *mirrors)
{
    return readSettingLines(optionsSchema().first(kLinesRead), lines, settings, mirrors,
                            SettingsMirrors::Origin::OptionsFile);
}

void applyBuiltInDefaults(RipSettings &settings, SettingsMirrors *mirrors)
{
    settings = RipSettings{};
    if (!mirrors)
        return;
    for (const SettingSpec &spec : optionsSchema().first(kLinesRead))
        if (spec.readColumn != 0)
            mirrors->mirrorSetting(spec.key, settings, SettingsMirrors::Origin::OptionsFile);
}

} // namespace

QStringList savedOptionsLines(const RipSettings &settings)
{
    QStringList lines;
    for (const SettingSpec &spec : optionsSchema())
        lines << encodeSetting(spec, settings);
    return lines;
}

QStringList defaultOptionsLines()
{
    // The fresh file differs from a saved one in two visible points: the
    // temporary folder keeps its trailing '/', the layer line a trailing blank.
    const RipSettings defaults;
    QStringList lines = savedOptionsLines(defaults);
    lines[int(SettingKey::Tdrive)] = QStringLiteral("tdrive= ") + folderWithSlash(defaults.tdrive);
    lines[int(SettingKey::Layer)] += u' ';
    return lines;
}

OptionsFile::OptionsFile(QString path)
    : m_path(std::move(path))
{
}

StoreResult OptionsFile::writeDefaultOptions() const
{
    return writeWholeFile(m_path, joinLines(defaultOptionsLines()), QStringLiteral("Options.ini save error"));
}

StoreResult OptionsFile::saveOptions(const RipSettings &settings) const
{
    return writeWholeFile(m_path, joinLines(savedOptionsLines(settings)), QStringLiteral("Options.ini save error"));
}

SettingsFault OptionsFile::read(RipSettings &settings, SettingsMirrors *mirrors) const
{
    const std::optional<QByteArray> bytes = readWholeFile(m_path);
    if (!bytes)
        return {-1, {}, {}};
    return readLines(splitLines(*bytes), settings, mirrors);
}

StoreResult OptionsFile::loadOptions(RipSettings &settings, SettingsMirrors *mirrors) const
{
    QString why;
    const std::optional<QByteArray> bytes = readWholeFile(m_path, &why);
    const QStringList lines = bytes ? splitLines(*bytes) : QStringList();
    const SettingsFault fault =
        lines.size() >= kLineCount ? readLines(lines, settings, mirrors) : SettingsFault{1, {}, {}};
    if (!fault)
        return StoreResult::success();
    // A value refused for its bytes leaves the file as the user has it, and is told.
    if (fault.refusedValue()) {
        applyBuiltInDefaults(settings, mirrors);
        StoreResult refused = StoreResult::failure(
            QStringLiteral("Load options error"),
            fault.describe(m_path) + QStringLiteral("; the built-in defaults are used"), MessageIcon::Critical);
        refused.refusedValue = true;
        return refused;
    }
    // A pipe, a device or a folder under the file's name is the user's: it is not replaced.
    if (!bytes && holdsNonFile(m_path)) {
        applyBuiltInDefaults(settings, mirrors);
        return StoreResult::failure(QStringLiteral("Options.ini save error"), why);
    }

    // One rewrite and one more read at most: an unwritable folder must not
    // make the program go round between writing and reading.
    const StoreResult written = writeDefaultOptions();
    if (written.ok && !read(settings, mirrors))
        return StoreResult::success();
    applyBuiltInDefaults(settings, mirrors);
    return StoreResult::failure(QStringLiteral("Options.ini save error"),
                                written.ok ? m_path + QStringLiteral(": unreadable after writing the defaults")
                                           : written.detail);
}

void OptionsFile::reloadOptions(RipSettings &settings, SettingsMirrors *mirrors) const
{
    read(settings, mirrors);
}

StoreResult OptionsFile::loadOptionsIntoDialog(RipSettings &settings) const
{
    const SettingsFault failed = read(settings, nullptr);
    if (!failed)
        return StoreResult::success();
    return StoreResult::failure(QStringLiteral("Load options error"), failed.describe(m_path), MessageIcon::Critical);
}
