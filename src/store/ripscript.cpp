// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — rip scripts (*.v2k): the packing settings and the queue of one release.
#include "store/ripscript.h"

#include "store/lineformat.h"

#include <QFileInfo>

StoreResult scriptLoadFailure(const QString &path, const QString &detail)
{
    return StoreResult::failure(path + QStringLiteral("\n\ncouldn't be loaded"), detail);
}

StoreResult recentScriptCheck(const QString &path)
{
    if (QFileInfo::exists(path))
        return StoreResult::success();
    return StoreResult::failure(path + QStringLiteral(" has moved"), path + QStringLiteral(": no such file"));
}

QString scriptSaveAsPath(const QString &chosen)
{
    return chosen.toLower().endsWith(QStringLiteral(".v2k")) ? chosen : chosen + QStringLiteral(".v2k");
}

QString newScriptPath(const QString &folder)
{
    return folderWithSlash(folder) + QStringLiteral("New rip script.v2k");
}

QStringList scriptLines(const RipSettings &settings, const QStringList &rowPaths)
{
    QStringList lines;
    for (const SettingSpec &spec : scriptSchema())
        lines << encodeSetting(spec, settings);
    return lines + rowPaths;
}

ScriptRead parseScript(const QString &path, const QStringList &lines, RipSettings &settings, SettingsMirrors *mirrors)
{
    const std::span<const SettingSpec> header = scriptSchema();
    const SettingsFault failed = readSettingLines(header, lines, settings, mirrors, SettingsMirrors::Origin::Script);
    if (failed)
        return {scriptLoadFailure(path, failed.describe(path)), {}, {}};

    ScriptRead read;
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i].key == SettingKey::Riptodir && qsizetype(i) < lines.size())
            read.ripToAsWritten = valueFromColumn(lines.at(qsizetype(i)), header[i].readColumn);
    for (qsizetype i = qsizetype(header.size()); i < lines.size() && !lines.at(i).isEmpty(); ++i) {
        // A row cut at a NUL would queue some other file than the one written.
        if (const QString problem = textValueProblem(lines.at(i)); !problem.isEmpty()) {
            const SettingsFault row{int(i) + 1, QStringLiteral("queue row"), problem};
            return {scriptLoadFailure(path, row.describe(path)), {}, {}};
        }
        read.rowPaths << lines.at(i);
    }
    return read;
}

ScriptRead readScript(const QString &path, RipSettings &settings, SettingsMirrors *mirrors)
{
    QString why;
    const std::optional<QByteArray> bytes = readWholeFile(path, &why);
    if (!bytes)
        return {scriptLoadFailure(path, why), {}, {}};
    return parseScript(path, splitLines(*bytes), settings, mirrors);
}

StoreResult writeScript(const QString &path, const RipSettings &settings, const QStringList &rowPaths)
{
    return writeWholeFile(path, joinLines(scriptLines(settings, rowPaths)),
                          path + QStringLiteral("\n\ncouldn't be saved"));
}
