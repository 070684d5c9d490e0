// Varko 2000 — the window's menu, pop-up and toolbar entries that drive the file browser.
#include "app/browseractions.h"

#include "app/browserlist.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>

namespace {

using Lookup = FileBrowser::ActionLookup;

struct Command
{
    const char *name;
    void (FileBrowser::*slot)();
};

const Command kCommands[] = {
    {"Openf", &FileBrowser::open},          {"explore", &FileBrowser::explore},
    {"openp", &FileBrowser::explore},       {"findf", &FileBrowser::find},
    {"find", &FileBrowser::find},           {"pastef", &FileBrowser::paste},
    {"paste", &FileBrowser::paste},         {"copyf", &FileBrowser::copy},
    {"cutf", &FileBrowser::cut},            {"delete", &FileBrowser::deleteSelected},
    {"cshortcut", &FileBrowser::link},      {"newfolder", &FileBrowser::newFolder},
    {"newfolder2", &FileBrowser::newFolder}, {"fileprop3", &FileBrowser::fileProperties},
    {"fileprop2", &FileBrowser::folderProperties}, {"fileprop", &FileBrowser::folderProperties},
    {"selectall", &FileBrowser::selectAll}, {"refresh", &FileBrowser::refresh},
    {"refresh3", &FileBrowser::refresh},    {"up", &FileBrowser::upOneLevel},
    {"cdiz", &FileBrowser::newDiz},         {"cdiz2", &FileBrowser::newDiz},
    {"cnfo", &FileBrowser::newNfo},         {"cnfo2", &FileBrowser::newNfo},
    {"edit", &FileBrowser::editSelected},
};

/** A group of checkable entries, each setting one value. */
struct Choice
{
    const char *name;
    int value;
};

const Choice kViews[] = {{"largei", 0}, {"listi", 2}, {"details", 3}};
const Choice kPopupViews[] = {{"fvlarge", 0}, {"fvlist", 2}, {"fvdetails", 3}};
const Choice kSorts[] = {{"aname", 1}, {"asize", 2}, {"atype", 3}, {"adate", 4},
                         {"aname2", 1}, {"asize2", 2}, {"atype2", 3}, {"adate2", 4}};
const Choice kFonts[] = {{"fnorm", 8}, {"flarge", 10}, {"biggest", 12}};

template<std::size_t N>
void markChoice(const Lookup &actionByName, const Choice (&choices)[N], int value)
{
    for (const Choice &choice : choices) {
        if (QAction *action = actionByName(QLatin1String(choice.name))) {
            action->setCheckable(true);
            action->setChecked(choice.value == value);
        }
    }
}

template<std::size_t N>
void connectChoice(FileBrowser *browser, const Lookup &actionByName, const Choice (&choices)[N],
                   void (FileBrowser::*set)(int))
{
    for (const Choice &choice : choices) {
        if (QAction *action = actionByName(QLatin1String(choice.name)))
            QObject::connect(action, &QAction::triggered, browser,
                             [browser, set, value = choice.value] { (browser->*set)(value); });
    }
}

void connectViews(FileBrowser *browser, const Lookup &actionByName)
{
    connectChoice(browser, actionByName, kViews, &FileBrowser::setViewStyle);
    connectChoice(browser, actionByName, kPopupViews, &FileBrowser::setViewStyle);
    connectChoice(browser, actionByName, kSorts, &FileBrowser::setSortColumn);
    connectChoice(browser, actionByName, kFonts, &FileBrowser::setFontSize);
    QObject::connect(browser, &FileBrowser::viewStyleChanged, browser,
                     [actionByName](int style) { markChoice(actionByName, kViews, style); });
    QObject::connect(browser, &FileBrowser::sortColumnChanged, browser,
                     [actionByName](int column) { markChoice(actionByName, kSorts, column); });
    QObject::connect(browser, &FileBrowser::fontSizeChanged, browser,
                     [actionByName](int points) { markChoice(actionByName, kFonts, points); });
    markChoice(actionByName, kViews, browser->viewStyle());
    markChoice(actionByName, kSorts, browser->sortColumn());
    markChoice(actionByName, kFonts, browser->fontSize());
}

int checkedView(const Lookup &actionByName)
{
    for (const Choice &choice : kViews) {
        const QAction *action = actionByName(QLatin1String(choice.name));
        if (action && action->isChecked())
            return choice.value;
    }
    return -1;
}

} // namespace

void connectBrowserActions(FileBrowser *browser, const Lookup &actionByName, QMenu *filepop)
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
    connectViews(browser, actionByName);
    auto enable = [actionByName](const QString &name, bool enabled) {
        if (QAction *action = actionByName(name))
            action->setEnabled(enabled);
    };
    for (const char *name : {"Openf", "fileprop3", "copyf", "cutf", "delete", "edit", "fileprop"})
        enable(QLatin1String(name), browser->isCommandEnabled(QLatin1String(name)));
    QObject::connect(browser, &FileBrowser::commandEnabledChanged, browser, enable);
    QObject::connect(browser, &FileBrowser::popupRequested, browser,
                     [actionByName, filepop](const QPoint &globalPos) {
                         markChoice(actionByName, kPopupViews, checkedView(actionByName));
                         if (filepop)
                             filepop->popup(globalPos);
                     });
}
