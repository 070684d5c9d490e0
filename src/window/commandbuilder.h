// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — menus and toolbar made from the command tables.
#pragma once

#include "window/commandtable.h"

#include <array>
#include <span>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

inline constexpr size_t kCommandCount = size_t(Command::Bar);
inline constexpr size_t kToolCount = size_t(Tool::Count);

/** Every row's action by its id (a menu's is its menu action), and the menus by theirs. */
struct CommandActions
{
    std::array<QAction *, kCommandCount> actions{};
    std::array<QMenu *, kCommandCount> menus{};

    QAction *action(Command id) const { return actions.at(size_t(id)); }
    QMenu *menu(Command id) const { return menus.at(size_t(id)); }
    /** Checks entry `checkedIndex` of `group` and unchecks the others; -1 unchecks all. */
    void checkOne(std::span<const Command> group, int checkedIndex) const;
};

/**
 * Builds every row of menuTable(): the bar's menus into `bar`, the pop-ups
 * as menus of `owner`. Every action and menu carries its row's name as its
 * object name; a checked row starts checked, a hidden one hidden.
 */
CommandActions buildMenus(QMenuBar *bar, QWidget *owner);

/**
 * Adds toolbarTable() to `toolbar` and returns its buttons by id. The radio
 * buttons form one exclusive group; every button's accessible name is its
 * tool-tip, its picture the desktop theme's with our own as the fallback.
 */
std::array<QAction *, kToolCount> buildToolbar(QToolBar *toolbar);
