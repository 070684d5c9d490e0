// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the one declared table of settings keys, shared by every reader and writer.
#include "store/settingsschema.h"

#include "store/lineformat.h"

#include <QFileInfo>

#include <array>

namespace {

using K = SettingKey;
using T = SettingKind;
using R = RipSettings;

// The value columns follow the key's width ("racomp= 3": column 9 holds the
// digit); zipcomp's is one to the left, which the number rule's blank
// skipping makes harmless.
constexpr std::array<SettingSpec, 21> kOptions{{
    {K::Warnings, "warnings", T::Number, 11, &R::warnings},
    {K::Sound, "sound", T::Number, 8, &R::sound},
    {K::Font, "font", T::Placeholder, 0},
    {K::Fonts, "fonts", T::Text, 8, nullptr, &R::fonts},
    {K::Procolor, "procolor", T::Placeholder, 0},
    {K::View, "view", T::TextNumber, 7, nullptr, &R::view},
    {K::Sort, "sort", T::TextNumber, 7, nullptr, &R::sort},
    {K::Tdrive, "tdrive", T::Folder, 9, nullptr, &R::tdrive},
    {K::Rarace, "rarace", T::Number, 9, &R::rarace},
    {K::Savepaths, "savepaths", T::Flag, 12, &R::savepaths},
    {K::Size, "size", T::Number, 7, &R::size},
    {K::Racomp, "racomp", T::Number, 9, &R::racomp},
    {K::Zip, "zip", T::Number, 6, &R::zip},
    {K::Nfo1st, "nfo1st", T::Number, 9, &R::nfo1st},
    {K::Zipcomp, "zipcomp", T::Number, 9, &R::zipcomp},
    {K::Riptodir, "riptodir", T::ExistingPath, 11, nullptr, &R::riptodir},
    {K::Zcomment, "zcomment", T::Number, 11, &R::zcomment},
    {K::Comment, "comment", T::Text, 10, nullptr, &R::comment},
    {K::Dnumber, "dnumber", T::Number, 10, &R::dnumber},
    {K::Layer, "layer", T::Number, 8, &R::layer},
    {K::Extra, "extra", T::Placeholder, 0},
}};

constexpr const SettingSpec &option(SettingKey key)
{
    return kOptions[static_cast<size_t>(key)];
}

// A script keeps the packing settings only, and its zcomment reads as a flag.
constexpr std::array<SettingSpec, 14> kScript{{
    option(K::Tdrive),
    option(K::Rarace),
    option(K::Savepaths),
    option(K::Size),
    option(K::Racomp),
    option(K::Zip),
    option(K::Nfo1st),
    option(K::Zipcomp),
    option(K::Riptodir),
    {K::Zcomment, "zcomment", T::Flag, 11, &R::zcomment},
    option(K::Comment),
    option(K::Dnumber),
    option(K::Extra),
    option(K::Extra),
}};

// Applies one value; false when a number breaks the 16-bit range.
bool decodeSetting(const SettingSpec &spec, const QString &value, RipSettings &settings)
{
    switch (spec.kind) {
    case T::Placeholder: return true;
    case T::Number:
    case T::Flag: {
        const std::optional<qint16> number = parseLenientNumber(value);
        if (!number)
            return false;
        settings.*spec.number = spec.kind == T::Flag ? qint16(*number == 1) : *number;
        return true;
    }
    case T::Text:
    case T::TextNumber: settings.*spec.text = value; return true;
    case T::Folder: settings.*spec.text = folderWithoutSlash(value); return true;
    case T::ExistingPath:
        settings.*spec.text = QFileInfo::exists(value) ? value : RipSettings::defaultRipToDir();
        return true;
    }
    return true;
}

} // namespace

std::span<const SettingSpec> optionsSchema()
{
    return kOptions;
}

std::span<const SettingSpec> scriptSchema()
{
    return kScript;
}

QString encodeSetting(const SettingSpec &spec, const RipSettings &settings)
{
    const QString key = QString::fromLatin1(spec.name) + u'=';
    switch (spec.kind) {
    case T::Placeholder: return key + u' ';
    case T::Number:
    case T::Flag: return numberLine(key, settings.*spec.number);
    case T::TextNumber: return numberLine(key, parseLenientNumber(settings.*spec.text).value_or(0));
    case T::Text:
    case T::Folder:
    case T::ExistingPath: return key + u' ' + settings.*spec.text;
    }
    return key;
}

QString SettingsFault::describe(const QString &path) const
{
    if (line < 0)
        return path + QStringLiteral(": cannot be read");
    const QString where = path + QStringLiteral(": line %1").arg(line);
    return reason.isEmpty() ? where : where + QStringLiteral(" (%1): %2").arg(key, reason);
}

QString textValueProblem(const QString &value)
{
    if (value.contains(QChar::Null))
        return QStringLiteral("holds a NUL byte");
    if (value.contains(QChar::ReplacementCharacter))
        return QStringLiteral("is not valid UTF-8");
    return {};
}

SettingsFault readSettingLines(std::span<const SettingSpec> specs, const QStringList &lines, RipSettings &settings,
                               SettingsMirrors *mirrors, SettingsMirrors::Origin origin)
{
    for (size_t i = 0; i < specs.size(); ++i) {
        const int lineNumber = int(i) + 1;
        if (i >= size_t(lines.size()))
            return {lineNumber, {}, {}};
        const SettingSpec &spec = specs[i];
        if (spec.readColumn == 0)
            continue;
        const QString value = valueFromColumn(lines.at(i), spec.readColumn);
        if (spec.text) {
            if (const QString problem = textValueProblem(value); !problem.isEmpty())
                return {lineNumber, QString::fromLatin1(spec.name), problem};
        }
        if (!decodeSetting(spec, value, settings))
            return {lineNumber, {}, {}};
        if (mirrors)
            mirrors->mirrorSetting(spec.key, settings, origin);
    }
    return {};
}
