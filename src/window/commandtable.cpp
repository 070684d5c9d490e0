// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window's menus, pop-ups and toolbar as declarative tables.
#include "window/commandtable.h"

#include <algorithm>

namespace {

#define VARKO_MENU_ROW(id, menu, name, caption, flags) {Command::id, Command::menu, name, caption, flags},
#define VARKO_SEPARATOR_ROW(menu) {Command::None, Command::menu, "", "-", Plain},
// Captions are the program's own texts; mnemonics where the menus have them.
constexpr MenuRow kMenus[] = {VARKO_MENU_ROWS(VARKO_MENU_ROW, VARKO_SEPARATOR_ROW)};
#undef VARKO_MENU_ROW
#undef VARKO_SEPARATOR_ROW

#define VARKO_TOOL_ROW(id, key, tip, style, enabled, icon, twin, pointer, x, y)                                        \
    {Tool::id, key, tip, ToolStyle::style, enabled, icon, Command::twin, pointer, {x, y}},
#define VARKO_TOOL_SEPARATOR() {Tool::None, "", "", ToolStyle::Separator, true, nullptr, Command::None},
constexpr ToolbarRow kToolbar[] = {VARKO_TOOLBAR_ROWS(VARKO_TOOL_ROW, VARKO_TOOL_SEPARATOR)};
#undef VARKO_TOOL_ROW
#undef VARKO_TOOL_SEPARATOR

} // namespace

std::span<const MenuRow> menuTable()
{
    return kMenus;
}

const char *objectName(Command id)
{
    const auto row = std::find_if(std::begin(kMenus), std::end(kMenus), [id](const MenuRow &r) { return r.id == id; });
    return row == std::end(kMenus) ? "" : row->name;
}

std::span<const ToolbarRow> toolbarTable()
{
    return kToolbar;
}

const ToolbarRow &toolbarRow(Tool id)
{
    return *std::find_if(std::begin(kToolbar), std::end(kToolbar), [id](const ToolbarRow &r) { return r.id == id; });
}
