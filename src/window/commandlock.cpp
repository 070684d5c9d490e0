// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the lock a run or a drop holds on the commands that change the queue, the settings or the script.
#include "window/commandlock.h"

#include "engine/ripstate.h"

#include <QAction>

CommandLock::CommandLock(const RipState &state, QList<QAction *> entries)
    : m_state(state)
    , m_entries(std::move(entries))
{
}

bool CommandLock::isLocked() const
{
    return m_state.ripInProgress || m_depth > 0;
}

void CommandLock::lock()
{
    if (++m_depth > 1)
        return;
    for (QAction *entry : std::as_const(m_entries)) {
        m_enabledBefore.insert(entry, entry->isEnabled());
        entry->setEnabled(false);
    }
}

void CommandLock::unlock()
{
    if (--m_depth > 0)
        return;
    for (auto entry = m_enabledBefore.cbegin(); entry != m_enabledBefore.cend(); ++entry)
        entry.key()->setEnabled(entry.value());
    m_enabledBefore.clear();
}
