// Varko 2000 — menus and toolbar made from the command tables.
#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

/**
 * Builds every row of menuTable(): the bar's menus into `bar`, the pop-ups
 * as menus of `owner`. Every action and menu carries its row's name as its
 * object name; a checked row starts checked, a hidden one hidden. Returns
 * the menus by name.
 */
QHash<QString, QMenu *> buildMenus(QMenuBar *bar, QWidget *owner);

/**
 * Adds the 25 positions of toolbarTable() to `toolbar` and returns them in
 * order (separators included, so position n is index n − 1). The radio
 * buttons form one exclusive group; every button's accessible name is its
 * tool-tip, its picture the desktop theme's with our own as the fallback.
 */
QList<QAction *> buildToolbar(QToolBar *toolbar);
