// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the lock a run or a drop holds on the commands that change the queue, the settings or the script.
#pragma once

#include <QHash>
#include <QList>

class QAction;
struct RipState;

/**
 * Nested locks over a fixed set of entries: the first lock disables them,
 * the last unlock gives each back the state it had. A run in progress
 * counts as locked too, locked or not.
 */
class CommandLock
{
public:
    CommandLock(const RipState &state, QList<QAction *> entries);

    bool isLocked() const;
    void lock();
    void unlock();

private:
    const RipState &m_state;
    QList<QAction *> m_entries;
    QHash<QAction *, bool> m_enabledBefore;
    int m_depth = 0;
};
