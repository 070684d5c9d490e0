// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the window's menu, pop-up and toolbar entries that drive the file browser.
#include "browser/browseractions.h"

#include "browser/browserlist.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>

namespace {

struct Command
{
    const char *name;
    void (FileBrowser::*slot)();
};

const Command kCommands[] = {
    {"Openf", &FileBrowser::open},
    {"explore", &FileBrowser::explore},
    {"openp", &FileBrowser::explore},
    {"findf", &FileBrowser::find},
    {"find", &FileBrowser::find},
    {"pastef", &FileBrowser::paste},
    {"paste", &FileBrowser::paste},
    {"copyf", &FileBrowser::copy},
    {"cutf", &FileBrowser::cut},
    {"delete", &FileBrowser::deleteSelected},
    {"cshortcut", &FileBrowser::link},
    {"newfolder", &FileBrowser::newFolder},
    {"newfolder2", &FileBrowser::newFolder},
    {"fileprop3", &FileBrowser::fileProperties},
    {"fileprop2", &FileBrowser::folderProperties},
    {"fileprop", &FileBrowser::folderProperties},
    {"selectall", &FileBrowser::selectAll},
    {"toolbar_up", &FileBrowser::upOneLevel},
    {"cdiz", &FileBrowser::newDiz},
    {"cdiz2", &FileBrowser::newDiz},
    {"cnfo", &FileBrowser::newNfo},
    {"cnfo2", &FileBrowser::newNfo},
    {"edit", &FileBrowser::editSelected},
};

const char *const kFollowing[] = {"Openf", "fileprop3", "copyf", "cutf", "delete", "fileprop", "edit"};

} // namespace

void connectBrowserActions(FileBrowser *browser, const FileBrowser::ActionLookup &actionByName, QMenu *filepop)
{
    for (const Command &command : kCommands) {
        if (QAction *action = actionByName(QLatin1String(command.name)))
            QObject::connect(action, &QAction::triggered, browser, command.slot);
    }
    if (QAction *selectAll = actionByName(QStringLiteral("selectall2"))) {
        QObject::connect(selectAll, &QAction::triggered, browser, [browser] {
            browser->fileList()->currentView()->setFocus();
            browser->selectAll();
        });
    }
    // Toolbar button 14 is the edit entry's twin and follows it.
    auto enable = [actionByName](const QString &name, bool enabled) {
        QStringList names{name};
        if (name == QLatin1String("edit"))
            names << QStringLiteral("toolbar_edit");
        for (const QString &each : names) {
            if (QAction *action = actionByName(each))
                action->setEnabled(enabled);
        }
    };
    for (const char *name : kFollowing)
        enable(QLatin1String(name), browser->isCommandEnabled(QLatin1String(name)));
    QObject::connect(browser, &FileBrowser::commandEnabledChanged, browser, enable);
    if (filepop)
        QObject::connect(browser, &FileBrowser::popupRequested, filepop,
                         [filepop](const QPoint &globalPos) { filepop->popup(globalPos); });
}
