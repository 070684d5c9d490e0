// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a run's progress on the program's taskbar or dock entry.
#pragma once

/**
 * Docks and task managers of the common Linux desktops draw a bar over a
 * program's entry from the launcher-entry signal on the session bus. Only
 * a new percent is sent; `clear` takes the bar away. Without a session bus
 * nothing is sent and nothing fails.
 */
class TaskbarProgress
{
public:
    TaskbarProgress() = default;
    ~TaskbarProgress() { clear(); }
    TaskbarProgress(const TaskbarProgress &) = delete;
    TaskbarProgress &operator=(const TaskbarProgress &) = delete;

    void show(int percent);
    void clear();

private:
    int m_shown = -1; ///< -1: no bar on the entry
};
