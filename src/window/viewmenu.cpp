// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the View menu: the browser list's view style and sort column, and the panes' font size.
#include "window/viewmenu.h"

#include "store/ripsettings.h"
#include "store/settingscaptions.h"

#include <QMenu>

namespace {

using enum Command;
constexpr Command kViewEntries[] = {LargeIcons, List, Details};
constexpr Command kPopupViewEntries[] = {PopupLargeIcons, PopupList, PopupDetails};
constexpr Command kSortEntries[] = {SortByName, SortBySize, SortByType, SortByDate};
constexpr Command kPopupSortEntries[] = {PopupSortByName, PopupSortBySize, PopupSortByType, PopupSortByDate};
constexpr Command kFontEntries[] = {FontSmall, FontMedium, FontLarge};
constexpr int kViewStyles[] = {0, 2, 3};
constexpr int kFontSizes[] = {8, 10, 12};

int indexOf(std::span<const int> values, int value)
{
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? -1 : int(found - values.begin());
}

} // namespace

ViewMenu::ViewMenu(RipSettings &settings, const CommandActions &commands, std::array<QAction *, 3> viewButtons,
                   QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_commands(commands)
    , m_viewButtons(viewButtons)
{
    auto onTriggered = [this](Command entry, auto slot) {
        connect(m_commands.action(entry), &QAction::triggered, this, slot);
    };
    for (int i = 0; i < 3; ++i) {
        onTriggered(kViewEntries[i], [this, i] { setViewStyle(kViewStyles[i]); });
        onTriggered(kPopupViewEntries[i], [this, i] { setViewStyle(kViewStyles[i], true); });
        onTriggered(kFontEntries[i], [this, i] { setFontSize(kFontSizes[i]); });
    }
    for (int i = 0; i < 4; ++i) {
        onTriggered(kSortEntries[i], [this, i] { setSortColumn(i + 1); });
        onTriggered(kPopupSortEntries[i], [this, i] { setSortColumn(i + 1); });
    }
    for (const Command entry : {Refresh, PopupRefresh})
        onTriggered(entry, &ViewMenu::refreshRequested);
    // The pop-up's View marks follow the View menu each time it opens.
    connect(m_commands.menu(PopupViewMenu), &QMenu::aboutToShow, this, [this] {
        for (int i = 0; i < 3; ++i)
            m_commands.action(kPopupViewEntries[i])->setChecked(m_commands.action(kViewEntries[i])->isChecked());
    });
}

void ViewMenu::setViewStyle(int style, bool fromPopup)
{
    m_viewStyle = style;
    const int index = indexOf(kViewStyles, style);
    m_commands.checkOne(kViewEntries, index);
    if (fromPopup)
        m_commands.checkOne(kPopupViewEntries, index);
    for (int i = 0; i < 3; ++i)
        m_viewButtons.at(size_t(i))->setChecked(i == index);
    emit viewStyleChanged(style);
}

void ViewMenu::setSortColumn(int column)
{
    m_sortColumn = column;
    m_settings.sort = QString::number(column);
    m_commands.checkOne(kSortEntries, column - 1);
    m_commands.checkOne(kPopupSortEntries, column - 1);
    emit sortChanged(column);
}

void ViewMenu::setFontSize(int points)
{
    m_settings.fonts = QString::number(points);
    emit fontSizeChanged(points);
    m_commands.checkOne(kFontEntries, indexOf(kFontSizes, points));
}

void ViewMenu::applySettings()
{
    setFontSize(startupFontSize(m_settings.fonts).toInt());
    setViewStyle(m_settings.view.trimmed().toInt());
    const int sort = m_settings.sort.trimmed().toInt();
    if (sort >= 1 && sort <= 4) {
        setSortColumn(sort);
    } else {
        m_commands.checkOne(kSortEntries, -1);
        m_commands.checkOne(kPopupSortEntries, -1);
    }
}
