// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rip script the window works on: New, Open, Save, Save as and the recent list.
#include "window/scriptsession.h"

#include "engine/queue.h"
#include "store/ripscript.h"
#include "store/ripsettings.h"

#include <QAction>
#include <QApplication>
#include <QSettings>

namespace {

QSettings recentStore()
{
    return QSettings(QStringLiteral("Norwen"), QStringLiteral("Varko2kMRU"));
}

} // namespace

ScriptSession::ScriptSession(Queue &queue, const RipSettings &settings, ScriptSessionHost &host, Entries entries,
                             QObject *parent)
    : QObject(parent)
    , m_queue(queue)
    , m_settings(settings)
    , m_host(host)
    , m_entries(entries)
{
    m_recent.setMaxFileCount(int(m_entries.recent.size()));
}

void ScriptSession::newScript()
{
    if (m_host.commandsLocked())
        return;
    // The caption and the recent list stay until the script is opened or saved as.
    m_current = newScriptPath(m_host.browserFolder());
    if (save())
        emit created(m_current);
}

void ScriptSession::openChosen(const QString &selected)
{
    if (m_host.commandsLocked())
        return;
    const QString path =
        selected.endsWith(QStringLiteral(".v2k"), Qt::CaseInsensitive) ? selected : m_host.askScriptPath(false);
    if (!path.isEmpty())
        open(path);
}

bool ScriptSession::open(const QString &path)
{
    if (m_host.commandsLocked())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_queue.clear();
    m_entries.save->setEnabled(true);
    m_entries.saveButton->setEnabled(true);
    m_current = path;
    emit scriptNamed(path);
    emit opening(path);
    const bool read = m_opener(path);
    QApplication::restoreOverrideCursor();
    if (!read) {
        m_host.ask({path + QStringLiteral("\n\ncouldn't be loaded"), QStringLiteral("Varko 2000"),
                    Message::Icon::Warning, Message::Buttons::Ok});
        m_queue.clear();
        m_entries.save->setEnabled(false);
        m_current.clear();
        emit openFailed();
        return false;
    }
    m_entries.saveAs->setEnabled(true);
    addRecent(path);
    emit opened();
    return true;
}

void ScriptSession::openRecent(int entry)
{
    const QString path = m_recent.file(entry);
    if (const StoreResult moved = recentScriptCheck(path); !moved.ok) {
        m_host.ask(Message::of(moved));
        return;
    }
    // On the list's top before it is read: one that fails to load is still the last one chosen.
    addRecent(path);
    open(path);
}

bool ScriptSession::save()
{
    if (m_host.commandsLocked() || m_current.isEmpty())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const StoreResult written = writeScript(m_current, m_settings, m_queue.rowPaths());
    QApplication::restoreOverrideCursor();
    // Saved or not, Save waits for the next open; a failed one says so.
    disableSave();
    if (!written.ok)
        m_host.ask(Message::of(written));
    return written.ok;
}

void ScriptSession::saveAsChosen()
{
    if (m_host.commandsLocked())
        return;
    disableSave();
    const QString chosen = m_host.askScriptPath(true);
    if (!chosen.isEmpty())
        saveAs(scriptSaveAsPath(chosen));
}

bool ScriptSession::saveAs(const QString &path)
{
    m_current = path;
    emit scriptNamed(path);
    addRecent(path);
    return save();
}

void ScriptSession::disableSave()
{
    m_entries.save->setEnabled(false);
    m_entries.saveButton->setEnabled(false);
}

void ScriptSession::queueCleared()
{
    m_entries.save->setEnabled(false);
    m_entries.recent.front()->setChecked(false);
}

void ScriptSession::loadRecent()
{
    // A script named at start joins the stored list rather than replacing it.
    m_recent.load(recentStore());
    m_recent.setMaxFileCount(int(m_entries.recent.size()));
}

void ScriptSession::addRecent(const QString &path)
{
    m_recent.addFile(path);
    showRecent();
}

void ScriptSession::saveRecent() const
{
    QSettings store = recentStore();
    m_recent.save(store);
}

void ScriptSession::showRecent()
{
    for (int n = 1; n <= int(m_entries.recent.size()); ++n) {
        QAction *entry = m_entries.recent.at(size_t(n - 1));
        entry->setVisible(m_recent.fileExists(n));
        if (m_recent.fileExists(n))
            entry->setText(m_recent.menuCaption(n));
    }
    m_entries.recent.front()->setChecked(m_recent.fileExists(1));
    m_entries.recentSeparator->setVisible(m_recent.fileCount() > 0);
}
