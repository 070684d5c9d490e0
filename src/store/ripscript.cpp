// Varko 2000 — rip scripts (*.v2k): the packing settings and the queue of one release.
#include "store/ripscript.h"

#include "store/lineformat.h"

namespace {

QString failureText(const QString &path, const char *what)
{
    return path + QStringLiteral("\n\n") + QLatin1String(what);
}

} // namespace

QStringList scriptLines(const RipSettings &settings, const QStringList &rowPaths)
{
    QStringList lines;
    for (const SettingSpec &spec : scriptSchema())
        lines << encodeSetting(spec, settings);
    return lines + rowPaths;
}

ScriptRead parseScript(const QString &path, const QStringList &lines, RipSettings &settings,
                       SettingsMirrors *mirrors)
{
    const std::span<const SettingSpec> header = scriptSchema();
    const int failed = readSettingLines(header, lines, settings, mirrors, SettingsMirrors::Origin::Script);
    if (failed != 0)
        return {StoreResult::failure(failureText(path, "couldn't be loaded"),
                                     path + QStringLiteral(": line %1").arg(failed)),
                {}, {}};

    ScriptRead read;
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i].key == SettingKey::Riptodir && qsizetype(i) < lines.size())
            read.ripToAsWritten = valueFromColumn(lines.at(qsizetype(i)), header[i].readColumn);
    for (qsizetype i = qsizetype(header.size()); i < lines.size() && !lines.at(i).isEmpty(); ++i)
        read.rowPaths << lines.at(i);
    return read;
}

ScriptRead readScript(const QString &path, RipSettings &settings, SettingsMirrors *mirrors)
{
    QString why;
    const std::optional<QByteArray> bytes = readWholeFile(path, &why);
    if (!bytes)
        return {StoreResult::failure(failureText(path, "couldn't be loaded"), why), {}, {}};
    return parseScript(path, splitLines(*bytes), settings, mirrors);
}

StoreResult writeScript(const QString &path, const RipSettings &settings, const QStringList &rowPaths)
{
    return writeWholeFile(path, joinLines(scriptLines(settings, rowPaths)), failureText(path, "couldn't be saved"));
}
