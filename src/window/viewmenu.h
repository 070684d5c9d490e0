// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the View menu: the browser list's view style and sort column, and the panes' font size.
#pragma once

#include "window/commandbuilder.h"

#include <QObject>

struct RipSettings;

/**
 * The View menu with its twins (the toolbar's three view buttons, the file
 * pop-up's View and Arrange menus) and the settings they keep: `sort` and
 * `fonts`. The browser and the panes follow its signals.
 */
class ViewMenu : public QObject
{
    Q_OBJECT

public:
    /** Connects the entries in `commands`; `viewButtons` are the toolbar's Large icons, List and Details. */
    ViewMenu(RipSettings &settings, const CommandActions &commands, std::array<QAction *, 3> viewButtons,
             QObject *parent);

    /** The browser's view style (0 large icons, 2 list, 3 details) and sort column (1 to 4). */
    int viewStyle() const { return m_viewStyle; }
    int sortColumn() const { return m_sortColumn; }
    /** A style chosen from the file pop-up also marks the pop-up's entries. */
    void setViewStyle(int style, bool fromPopup = false);
    void setSortColumn(int column);
    void setFontSize(int points);
    /** The view, sort and font settings as options.ini or a script left them. */
    void applySettings();

signals:
    /** The browser list should show this style: 0 large icons, 2 list, 3 details. */
    void viewStyleChanged(int style);
    /** The browser list should sort ascending by this column: 1 Name, 2 Size, 3 Type, 4 Date. */
    void sortChanged(int column);
    /** The folder tree, the file list and the queue take this point size. */
    void fontSizeChanged(int points);
    /** The browser should refresh its tree, then its list. */
    void refreshRequested();

private:
    RipSettings &m_settings;
    const CommandActions &m_commands;
    std::array<QAction *, 3> m_viewButtons;
    int m_viewStyle = 2;
    int m_sortColumn = 3;
};
