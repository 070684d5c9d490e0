// Varko 2000 — menus and toolbar made from the command tables.
#include "window/commandbuilder.h"

#include "window/commandtable.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QAction *addEntry(QMenu *menu, const MenuRow &row, QHash<QString, QMenu *> &menus)
{
    const QString name = QString::fromLatin1(row.name);
    QAction *action = nullptr;
    if (row.flags & Submenu) {
        QMenu *sub = menu->addMenu(QString::fromUtf8(row.caption));
        sub->setObjectName(name);
        menus.insert(name, sub);
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

QHash<QString, QMenu *> buildMenus(QMenuBar *bar, QWidget *owner)
{
    QHash<QString, QMenu *> menus;
    for (const MenuRow &row : menuTable()) {
        const QString name = QString::fromLatin1(row.name);
        if (*row.menu == '\0') {
            // A menu of the bar, or a pop-up shown from a panel.
            QMenu *menu = (row.flags & Popup) ? new QMenu(owner) : bar->addMenu(QString::fromUtf8(row.caption));
            menu->setObjectName(name);
            applyFlags(menu->menuAction(), row);
            menus.insert(name, menu);
            continue;
        }
        applyFlags(addEntry(menus.value(QString::fromLatin1(row.menu)), row, menus), row);
    }
    return menus;
}

QList<QAction *> buildToolbar(QToolBar *toolbar)
{
    QList<QAction *> buttons;
    auto *radio = new QActionGroup(toolbar);
    for (const ToolbarRow &row : toolbarTable()) {
        if (row.style == ToolStyle::Separator) {
            buttons << toolbar->addSeparator();
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
        buttons << action;
    }
    return buttons;
}
