// Varko 2000 — the main window's menus, pop-ups and toolbar as declarative tables.
#pragma once

#include <QPoint>

#include <span>

/** How a menu row starts; combine with `|`. */
enum MenuFlag : unsigned {
    Plain = 0,
    Submenu = 1,   ///< opens the menu named by the row; its entries follow with `menu` = this name
    Checkable = 2,
    Checked = 4,   ///< checked when the window is built (implies Checkable)
    Disabled = 8,
    Hidden = 16,
    Popup = 32,    ///< a top-level menu that is not on the menu bar
};

/**
 * One entry. `menu` is the object name of the menu it belongs to, empty for
 * the menus of the bar and the pop-ups themselves. A `caption` of "-" is a
 * separator (its `name` is empty unless the entry is addressed by name).
 */
struct MenuRow
{
    const char *menu;
    const char *name;
    const char *caption;
    unsigned flags = Plain;
};

/** Every menu and pop-up, in the order they are built. */
std::span<const MenuRow> menuTable();

enum class ToolStyle { Separator, Button, Radio };

/**
 * One toolbar position (1-based, as dispatch addresses it). A button whose
 * command has a menu twin triggers that entry, so connecting the entry
 * connects the button too. `placesPointer` buttons move the pointer to the
 * window centre plus `offset` (pixels) and let pending events run first.
 */
struct ToolbarRow
{
    const char *key;        ///< image key; the action is named "toolbar_" + key
    const char *toolTip;
    ToolStyle style;
    bool enabled;
    const char *themeIcon;  ///< freedesktop icon name, or null for our own picture only
    const char *twin;       ///< the menu entry this button runs, or null
    bool placesPointer = false;
    QPoint offset = {};
};

/** The 25 positions, position 1 first. */
std::span<const ToolbarRow> toolbarTable();

/** The toolbar action's object name for a row's image key. */
inline constexpr const char *kToolbarPrefix = "toolbar_";
