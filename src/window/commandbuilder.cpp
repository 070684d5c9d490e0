// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — menus and toolbar made from the command tables.
#include "window/commandbuilder.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QAction *addEntry(QMenu *menu, const MenuRow &row, CommandActions &built)
{
    QAction *action = nullptr;
    if (row.flags & Submenu) {
        QMenu *sub = menu->addMenu(QString::fromUtf8(row.caption));
        sub->setObjectName(QString::fromLatin1(row.name));
        built.menus[size_t(row.id)] = sub;
        action = sub->menuAction();
    } else if (qstrcmp(row.caption, "-") == 0) {
        action = menu->addSeparator();
    } else {
        action = menu->addAction(QString::fromUtf8(row.caption));
    }
    return action;
}

void applyFlags(QAction *action, const MenuRow &row)
{
    action->setObjectName(QString::fromLatin1(row.name));
    action->setCheckable(row.flags & (Checkable | Checked));
    action->setChecked(row.flags & Checked);
    action->setEnabled(!(row.flags & Disabled));
    action->setVisible(!(row.flags & Hidden));
}

} // namespace

CommandActions buildMenus(QMenuBar *bar, QWidget *owner)
{
    CommandActions built;
    for (const MenuRow &row : menuTable()) {
        if (row.menu == Command::Bar) {
            // A menu of the bar, or a pop-up shown from a panel.
            QMenu *menu = (row.flags & Popup) ? new QMenu(owner) : bar->addMenu(QString::fromUtf8(row.caption));
            menu->setObjectName(QString::fromLatin1(row.name));
            applyFlags(menu->menuAction(), row);
            built.menus[size_t(row.id)] = menu;
            built.actions[size_t(row.id)] = menu->menuAction();
            continue;
        }
        QAction *entry = addEntry(built.menus[size_t(row.menu)], row, built);
        applyFlags(entry, row);
        if (row.id != Command::None)
            built.actions[size_t(row.id)] = entry;
    }
    return built;
}

std::array<QAction *, kToolCount> buildToolbar(QToolBar *toolbar)
{
    std::array<QAction *, kToolCount> buttons{};
    auto *radio = new QActionGroup(toolbar);
    for (const ToolbarRow &row : toolbarTable()) {
        if (row.style == ToolStyle::Separator) {
            toolbar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(row.key);
        const QIcon own(QStringLiteral(":/app/icons/%1.svg").arg(key));
        const QIcon icon = row.themeIcon ? QIcon::fromTheme(QString::fromLatin1(row.themeIcon), own) : own;
        QAction *action = toolbar->addAction(icon, QString::fromUtf8(row.toolTip));
        action->setObjectName(QLatin1String(kToolbarPrefix) + key);
        action->setToolTip(action->text());
        action->setEnabled(row.enabled);
        if (row.style == ToolStyle::Radio) {
            action->setCheckable(true);
            radio->addAction(action);
        }
        if (QWidget *button = toolbar->widgetForAction(action)) {
            button->setObjectName(action->objectName());
            button->setAccessibleName(action->toolTip());
        }
        buttons[size_t(row.id)] = action;
    }
    return buttons;
}

void CommandActions::checkOne(std::span<const Command> group, int checkedIndex) const
{
    for (size_t i = 0; i < group.size(); ++i)
        action(group[i])->setChecked(int(i) == checkedIndex);
}
