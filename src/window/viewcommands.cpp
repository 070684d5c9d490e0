// Varko 2000 — the View menu: the browser list's view style, sort and font size.
#include "window/mainwindow.h"
#include "store/settingscaptions.h"

#include <QMenu>

namespace {

using enum Command;
constexpr Command kViewEntries[] = {LargeIcons, List, Details};
constexpr Command kPopupViewEntries[] = {PopupLargeIcons, PopupList, PopupDetails};
constexpr Tool kViewButtons[] = {Tool::LargeIcons, Tool::List, Tool::Details};
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

void MainWindow::connectViewCommands()
{
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
        onTriggered(entry, &MainWindow::browserRefreshRequested);
    // The pop-up's View marks follow the View menu each time it opens.
    connect(menu(Command::PopupViewMenu), &QMenu::aboutToShow, this, [this] {
        for (int i = 0; i < 3; ++i)
            action(kPopupViewEntries[i])->setChecked(action(kViewEntries[i])->isChecked());
    });
}

void MainWindow::setViewStyle(int style, bool fromPopup)
{
    m_viewStyle = style;
    const int index = indexOf(kViewStyles, style);
    setCheckedGroup(kViewEntries, index);
    if (fromPopup)
        setCheckedGroup(kPopupViewEntries, index);
    for (int i = 0; i < 3; ++i)
        toolbarButton(kViewButtons[i])->setChecked(i == index);
    emit browserViewStyleChanged(style);
}

void MainWindow::setSortColumn(int column)
{
    m_sortColumn = column;
    m_settings.sort = QString::number(column);
    setCheckedGroup(kSortEntries, column - 1);
    setCheckedGroup(kPopupSortEntries, column - 1);
    emit browserSortChanged(column);
}

void MainWindow::setFontSize(int points)
{
    m_settings.fonts = QString::number(points);
    for (QWidget *view : {m_folderTree, m_fileList, m_queueView}) {
        QFont font = view->font();
        font.setPointSize(points);
        view->setFont(font);
    }
    setCheckedGroup(kFontEntries, indexOf(kFontSizes, points));
}

void MainWindow::applyViewSettings()
{
    setFontSize(startupFontSize(m_settings.fonts).toInt());
    setViewStyle(m_settings.view.trimmed().toInt());
    const int sort = m_settings.sort.trimmed().toInt();
    if (sort >= 1 && sort <= 4)
        setSortColumn(sort);
    else
        for (const auto &group : {std::span(kSortEntries), std::span(kPopupSortEntries)})
            setCheckedGroup(group, -1);
}
