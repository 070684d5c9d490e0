// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — opening a rip script into the queue and the settings.
#include "engine/scriptopener.h"

#include "engine/queuefiller.h"
#include "store/ripscript.h"

StoreResult openScript(const QString &path, Queue &queue, RipSettings &settings, SettingsMirrors *mirrors,
                       QString *ripToAsWritten)
{
    // The run walks the rows and reads the settings: a script cannot replace them now.
    Q_ASSERT(!queue.isLocked());
    if (queue.isLocked())
        return scriptLoadFailure(path, QStringLiteral("a rip run is in progress"));
    queue.beginBatch();
    queue.clear();
    ScriptRead script = readScript(path, settings, mirrors);
    if (script.result.ok && !QueueFiller(queue, settings).addScriptRows(script.rowPaths))
        script.result = scriptLoadFailure(path, path + QStringLiteral(": a queued file cannot be examined"));
    queue.endBatch();
    if (ripToAsWritten)
        *ripToAsWritten = script.ripToAsWritten;
    return script.result;
}
