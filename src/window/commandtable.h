// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window's menus, pop-ups and toolbar as declarative tables.
#pragma once

#include <QPoint>

#include <span>

/** How a menu row starts; combine with `|`. */
enum MenuFlag : unsigned {
    Plain = 0,
    Submenu = 1, ///< opens a menu; its entries follow with this row as their `menu`
    Checkable = 2,
    Checked = 4, ///< checked when the window is built (implies Checkable)
    Disabled = 8,
    Hidden = 16,
    Popup = 32, ///< a top-level menu that is not on the menu bar
};

/**
 * Every menu and pop-up, in the order they are built:
 * ENTRY(id, menu, object name, caption, flags) and SEPARATOR(menu), where
 * `menu` is the id of the menu the row belongs to, `Bar` for the menus of the
 * bar and the pop-ups themselves. A caption of "-" is a separator addressed
 * by name. The ids in `Command` are made from these rows, so code names an
 * entry by its id and the object names live here alone.
 */
#define VARKO_MENU_ROWS(ENTRY, SEPARATOR)                                                                              \
    ENTRY(FileMenu, Bar, "popup", "&File", Submenu)                                                                    \
    ENTRY(NewMenu, FileMenu, "newf", "&New", Submenu)                                                                  \
    ENTRY(NewRipScript, NewMenu, "newrip", "Rip script", Plain)                                                        \
    SEPARATOR(NewMenu)                                                                                                 \
    ENTRY(NewDiz, NewMenu, "cdiz2", "File_id.diz", Plain)                                                              \
    ENTRY(NewNfo, NewMenu, "cnfo2", "About.nfo", Plain)                                                                \
    SEPARATOR(NewMenu)                                                                                                 \
    ENTRY(NewFolder, NewMenu, "newfolder", "Folder", Plain)                                                            \
    ENTRY(NewShortcut, NewMenu, "cshortcut", "Shortcut", Plain)                                                        \
    SEPARATOR(FileMenu)                                                                                                \
    ENTRY(OpenScript, FileMenu, "openscript", "Open script...", Plain)                                                 \
    ENTRY(SaveScript, FileMenu, "sscript", "Save script...", Disabled)                                                 \
    ENTRY(SaveScriptAs, FileMenu, "saveasscript", "Save script as...", Disabled)                                       \
    SEPARATOR(FileMenu)                                                                                                \
    ENTRY(OpenFile, FileMenu, "Openf", "Open file...", Disabled)                                                       \
    ENTRY(FileProperties, FileMenu, "fileprop3", "File properties...", Disabled)                                       \
    SEPARATOR(FileMenu)                                                                                                \
    ENTRY(FolderProperties, FileMenu, "fileprop2", "Folder properties...", Plain)                                      \
    SEPARATOR(FileMenu)                                                                                                \
    ENTRY(Find, FileMenu, "findf", "Find...", Plain)                                                                   \
    ENTRY(Explore, FileMenu, "explore", "Explore...", Plain)                                                           \
    SEPARATOR(FileMenu)                                                                                                \
    ENTRY(RecentTitle, FileMenu, "mnuFile1", "", Hidden)                                                               \
    ENTRY(Recent1, FileMenu, "mnuFile2", "", Hidden | Checkable)                                                       \
    ENTRY(Recent2, FileMenu, "mnuFile3", "", Hidden)                                                                   \
    ENTRY(Recent3, FileMenu, "mnuFile4", "", Hidden)                                                                   \
    ENTRY(Recent4, FileMenu, "mnuFile5", "", Hidden)                                                                   \
    ENTRY(RecentSeparator, FileMenu, "mnuFile6", "-", Hidden)                                                          \
    ENTRY(Exit, FileMenu, "exit0", "E&xit", Plain)                                                                     \
                                                                                                                       \
    ENTRY(EditMenu, Bar, "editf", "&Edit", Submenu)                                                                    \
    ENTRY(EditDizNfo, EditMenu, "edit", "Edit diz - nfo...", Disabled)                                                 \
    SEPARATOR(EditMenu)                                                                                                \
    ENTRY(Cut, EditMenu, "cutf", "Cut", Disabled)                                                                      \
    ENTRY(Copy, EditMenu, "copyf", "&Copy", Disabled)                                                                  \
    ENTRY(Paste, EditMenu, "pastef", "&Paste", Plain)                                                                  \
    SEPARATOR(EditMenu)                                                                                                \
    ENTRY(Delete, EditMenu, "delete", "&Delete", Disabled)                                                             \
    SEPARATOR(EditMenu)                                                                                                \
    ENTRY(SelectAll, EditMenu, "selectall2", "Select &all", Plain)                                                     \
                                                                                                                       \
    ENTRY(OptionsMenu, Bar, "options2", "&Options", Submenu)                                                           \
    ENTRY(SetDefaults, OptionsMenu, "preferences", "Set defaults...", Plain)                                           \
    SEPARATOR(OptionsMenu)                                                                                             \
    ENTRY(Rar, OptionsMenu, "rar2", "Rar", Checkable)                                                                  \
    ENTRY(Ace, OptionsMenu, "ace2", "Ace", Checkable)                                                                  \
    ENTRY(ArchiveCompressionMenu, OptionsMenu, "acom", "Compression", Submenu)                                         \
    ENTRY(RarStore, ArchiveCompressionMenu, "rstore", "Store", Checkable)                                              \
    ENTRY(RarFastest, ArchiveCompressionMenu, "rfastest", "Fastest", Checkable)                                        \
    ENTRY(RarFast, ArchiveCompressionMenu, "rfast", "Fast", Checkable)                                                 \
    ENTRY(RarNormal, ArchiveCompressionMenu, "rnormal", "Normal", Checkable)                                           \
    ENTRY(RarGood, ArchiveCompressionMenu, "rgood", "Good", Checkable)                                                 \
    ENTRY(RarMaximum, ArchiveCompressionMenu, "rmaximum", "Maximum", Checkable)                                        \
    ENTRY(ArchiveOptionsMenu, OptionsMenu, "raoptions", "Options", Submenu)                                            \
    ENTRY(IncludePaths, ArchiveOptionsMenu, "paths2", "Include paths", Checkable)                                      \
    SEPARATOR(OptionsMenu)                                                                                             \
    ENTRY(Zip, OptionsMenu, "zip2", "Zip", Checkable)                                                                  \
    ENTRY(ZipCompressionMenu, OptionsMenu, "zco", "Compression", Submenu)                                              \
    ENTRY(ZipStore, ZipCompressionMenu, "zstore", "Store", Checkable)                                                  \
    ENTRY(ZipFastest, ZipCompressionMenu, "zfastest", "Fastest", Checkable)                                            \
    ENTRY(ZipFast, ZipCompressionMenu, "zfast", "Fast", Checkable)                                                     \
    ENTRY(ZipNormal, ZipCompressionMenu, "znormal", "Normal", Checkable)                                               \
    ENTRY(ZipGood, ZipCompressionMenu, "zgood", "Good", Checkable)                                                     \
    ENTRY(ZipMaximum, ZipCompressionMenu, "zmaximum", "Maximum", Checkable)                                            \
    ENTRY(ZipOptionsMenu, OptionsMenu, "ops", "Options", Submenu)                                                      \
    ENTRY(NfoInFirstZip, ZipOptionsMenu, "nfo2", "Nfo in first zip", Checkable)                                        \
    ENTRY(DizAutoNumber, ZipOptionsMenu, "autonumber", "Diz auto-number", Checkable)                                   \
    ENTRY(ZipComment, ZipOptionsMenu, "zzcomment", "Zip comment", Checkable)                                           \
    ENTRY(WriteSfv, ZipOptionsMenu, "writesfv", "Write SFV", Checkable)                                                \
    ENTRY(WritePar2, ZipOptionsMenu, "writepar2", "Write PAR2", Checkable)                                             \
    SEPARATOR(OptionsMenu)                                                                                             \
    ENTRY(RipToFolder, OptionsMenu, "riptof", "Rip-to folder...", Plain)                                               \
                                                                                                                       \
    ENTRY(ViewMenu, Bar, "view", "&View", Submenu)                                                                     \
    ENTRY(LargeIcons, ViewMenu, "largei", "Large icons", Checkable)                                                    \
    ENTRY(List, ViewMenu, "listi", "List", Checkable)                                                                  \
    ENTRY(Details, ViewMenu, "details", "Details", Checkable)                                                          \
    SEPARATOR(ViewMenu)                                                                                                \
    ENTRY(SortByName, ViewMenu, "aname", "Name", Checkable)                                                            \
    ENTRY(SortBySize, ViewMenu, "asize", "Size", Checkable)                                                            \
    ENTRY(SortByType, ViewMenu, "atype", "Type", Checkable)                                                            \
    ENTRY(SortByDate, ViewMenu, "adate", "Date", Checkable)                                                            \
    SEPARATOR(ViewMenu)                                                                                                \
    ENTRY(FontSizeMenu, ViewMenu, "formfont", "Font size", Submenu)                                                    \
    ENTRY(FontSmall, FontSizeMenu, "fnorm", "small", Checkable)                                                        \
    ENTRY(FontMedium, FontSizeMenu, "flarge", "medium", Checkable)                                                     \
    ENTRY(FontLarge, FontSizeMenu, "biggest", "large", Checkable)                                                      \
    SEPARATOR(ViewMenu)                                                                                                \
    ENTRY(Refresh, ViewMenu, "refresh", "Refresh", Plain)                                                              \
                                                                                                                       \
    ENTRY(QueueMenu, Bar, "lpopup", "&Queue", Submenu | Disabled)                                                      \
    ENTRY(InArchive, QueueMenu, "inrarace", "In Rar/Ace", Checkable | Disabled)                                        \
    ENTRY(InZip, QueueMenu, "inzip", "In Zip", Checkable | Disabled)                                                   \
    ENTRY(InFirstZip, QueueMenu, "in1stzip", "1st Zip only", Checkable | Disabled)                                     \
    SEPARATOR(QueueMenu)                                                                                               \
    ENTRY(OpenItem, QueueMenu, "openque", "Open item...", Plain)                                                       \
    ENTRY(ItemProperties, QueueMenu, "properties", "Properties...", Plain)                                             \
    ENTRY(RemoveItem, QueueMenu, "remove", "Remove item", Plain)                                                       \
    SEPARATOR(QueueMenu)                                                                                               \
    ENTRY(ListQueue, QueueMenu, "listque", "List queue...", Plain)                                                     \
    ENTRY(ClearQueue, QueueMenu, "clear", "Clear queue...", Plain)                                                     \
    SEPARATOR(QueueMenu)                                                                                               \
    ENTRY(PackIt, QueueMenu, "packit", "Pack it", Plain)                                                               \
    ENTRY(TestSet, QueueMenu, "testset", "Test set...", Plain)                                                         \
                                                                                                                       \
    ENTRY(HelpMenu, Bar, "help", "&Help", Submenu)                                                                     \
    ENTRY(HelpContents, HelpMenu, "contents", "Help Contents...", Plain)                                               \
    SEPARATOR(HelpMenu)                                                                                                \
    ENTRY(WebPage, HelpMenu, "web", "Web page...", Plain)                                                              \
    ENTRY(Mail, HelpMenu, "mail", "E-mail Norwen...", Plain)                                                           \
    SEPARATOR(HelpMenu)                                                                                                \
    ENTRY(About, HelpMenu, "about", "About...", Plain)                                                                 \
                                                                                                                       \
    ENTRY(RipToPopup, Bar, "riptom", "", Popup)                                                                        \
    ENTRY(PopupRipToFolder, RipToPopup, "changep", "Rip-to folder...", Plain)                                          \
    SEPARATOR(RipToPopup)                                                                                              \
    ENTRY(RipToSetDefaults, RipToPopup, "options", "Set defaults...", Plain)                                           \
                                                                                                                       \
    ENTRY(ZipPopup, Bar, "zipm", "", Popup)                                                                            \
    ENTRY(PopupIntoZips, ZipPopup, "intoz", "Into Zip's", Checked)                                                     \
    SEPARATOR(ZipPopup)                                                                                                \
    ENTRY(ZipSetDefaults, ZipPopup, "options3", "Set defaults...", Plain)                                              \
                                                                                                                       \
    ENTRY(ArchivePopup, Bar, "rarm", "", Popup)                                                                        \
    ENTRY(PopupRar, ArchivePopup, "rarc", "Rar", Checked)                                                              \
    ENTRY(PopupAce, ArchivePopup, "acec", "Ace", Checkable)                                                            \
    SEPARATOR(ArchivePopup)                                                                                            \
    ENTRY(ArchiveSetDefaults, ArchivePopup, "options4", "Set defaults..", Plain)                                       \
                                                                                                                       \
    ENTRY(PathsPopup, Bar, "pathsp", "", Popup)                                                                        \
    ENTRY(PopupPaths, PathsPopup, "paths3", "Paths", Checkable)                                                        \
    SEPARATOR(PathsPopup)                                                                                              \
    ENTRY(PathsSetDefaults, PathsPopup, "options9", "Set defaults...", Plain)                                          \
                                                                                                                       \
    ENTRY(FilePopup, Bar, "filepop", "", Popup)                                                                        \
    ENTRY(PopupNewMenu, FilePopup, "new", "New...", Submenu)                                                           \
    ENTRY(PopupNewRipScript, PopupNewMenu, "newscript2", "Rip script...", Plain)                                       \
    SEPARATOR(PopupNewMenu)                                                                                            \
    ENTRY(PopupNewDiz, PopupNewMenu, "cdiz", "File_id.diz...", Plain)                                                  \
    ENTRY(PopupNewNfo, PopupNewMenu, "cnfo", "About.nfo...", Plain)                                                    \
    SEPARATOR(PopupNewMenu)                                                                                            \
    ENTRY(PopupNewFolder, PopupNewMenu, "newfolder2", "Folder...", Plain)                                              \
    ENTRY(PopupSelectAll, FilePopup, "selectall", "Select all", Plain)                                                 \
    SEPARATOR(FilePopup)                                                                                               \
    ENTRY(PopupPaste, FilePopup, "paste", "Paste", Plain)                                                              \
    SEPARATOR(FilePopup)                                                                                               \
    ENTRY(PopupViewMenu, FilePopup, "viewfile", "View", Submenu)                                                       \
    ENTRY(PopupLargeIcons, PopupViewMenu, "fvlarge", "Large icons", Checkable)                                         \
    ENTRY(PopupList, PopupViewMenu, "fvlist", "List", Checkable)                                                       \
    ENTRY(PopupDetails, PopupViewMenu, "fvdetails", "Details", Checkable)                                              \
    ENTRY(PopupArrangeMenu, FilePopup, "arange2", "Arrange", Submenu)                                                  \
    ENTRY(PopupSortByName, PopupArrangeMenu, "aname2", "Name", Checkable)                                              \
    ENTRY(PopupSortBySize, PopupArrangeMenu, "asize2", "Size", Checkable)                                              \
    ENTRY(PopupSortByType, PopupArrangeMenu, "atype2", "Type", Checkable)                                              \
    ENTRY(PopupSortByDate, PopupArrangeMenu, "adate2", "Date", Checkable)                                              \
    ENTRY(PopupRefresh, FilePopup, "refresh3", "Refresh...", Plain)                                                    \
    SEPARATOR(FilePopup)                                                                                               \
    ENTRY(PopupFind, FilePopup, "find", "Find...", Plain)                                                              \
    ENTRY(PopupExplore, FilePopup, "openp", "Explore...", Plain)                                                       \
    ENTRY(PopupProperties, FilePopup, "fileprop", "Properties...", Plain)

/** One id per named menu row; `Bar` and `None` stand for no row. */
enum class Command {
#define VARKO_COMMAND_ID(id, menu, name, caption, flags) id,
#define VARKO_NO_COMMAND_ID(menu)
    VARKO_MENU_ROWS(VARKO_COMMAND_ID, VARKO_NO_COMMAND_ID)
#undef VARKO_COMMAND_ID
#undef VARKO_NO_COMMAND_ID
        Bar, ///< the menu bar, or the window for a pop-up
    None, ///< no entry: a separator, a toolbar button without a menu twin
};

/** One menu row; a separator's `id` is None. */
struct MenuRow
{
    Command id;
    Command menu;
    const char *name;
    const char *caption;
    unsigned flags = Plain;
};

/** Every menu and pop-up, in the order they are built. */
std::span<const MenuRow> menuTable();

/** The object name of an entry, menu or pop-up; empty for None and Bar. */
const char *objectName(Command id);

enum class ToolStyle { Separator, Button, Radio };

/**
 * The toolbar from left to right:
 * BUTTON(id, image key, tool-tip, style, enabled, theme icon, twin, places pointer, offset x, offset y)
 * and SEPARATOR(). A button whose `twin` is a menu entry triggers that entry,
 * so connecting the entry connects the button too. Buttons that place the
 * pointer move it to the window centre plus the offset (pixels) and let
 * pending events run first. The action is named "toolbar_" + image key.
 */
#define VARKO_TOOLBAR_ROWS(BUTTON, SEPARATOR)                                                                          \
    SEPARATOR()                                                                                                        \
    BUTTON(NewScript, "new", "New rip script", Button, true, "document-new", NewRipScript, false, 0, 0)                \
    BUTTON(OpenScript, "lcue", "Open script", Button, true, "document-open", OpenScript, true, 0, 30)                  \
    BUTTON(SaveScript, "save", "Save script", Button, false, "document-save", SaveScript, false, 0, 0)                 \
    SEPARATOR()                                                                                                        \
    BUTTON(SetDefaults, "option", "Set defaults", Button, true, "preferences-system", SetDefaults, true, 40, 110)      \
    SEPARATOR()                                                                                                        \
    BUTTON(LargeIcons, "ilarge", "Large icons", Radio, true, "view-list-icons", LargeIcons, false, 0, 0)               \
    BUTTON(List, "ilist", "List", Radio, true, "view-list-text", List, false, 0, 0)                                    \
    BUTTON(Details, "detail", "Details", Radio, true, "view-list-details", Details, false, 0, 0)                       \
    SEPARATOR()                                                                                                        \
    BUTTON(NewDiz, "diz", "New file_id.diz", Button, true, nullptr, NewDiz, false, 0, 0)                               \
    BUTTON(NewNfo, "nfo", "New about.nfo", Button, true, nullptr, NewNfo, false, 0, 0)                                 \
    BUTTON(EditDizNfo, "edit", "Edit diz - nfo", Button, false, nullptr, EditDizNfo, true, 0, 0)                       \
    SEPARATOR()                                                                                                        \
    BUTTON(UpOneLevel, "up", "Up 1 level", Button, true, "go-up", None, false, 0, 0)                                   \
    SEPARATOR()                                                                                                        \
    BUTTON(ClearQueue, "clearque", "Clear queue", Button, true, "edit-clear", ClearQueue, false, 0, 0)                 \
    SEPARATOR()                                                                                                        \
    BUTTON(FolderProperties, "refresh", "Folder properties", Button, true, "document-properties", FolderProperties,    \
           true, 0, 0)                                                                                                 \
    BUTTON(FindFile, "find", "Find file/folder", Button, true, "edit-find", Find, true, 0, 0)                          \
    SEPARATOR()                                                                                                        \
    BUTTON(PackIt, "varko", "Pack It", Button, true, nullptr, PackIt, true, 0, 0)                                      \
    SEPARATOR()                                                                                                        \
    BUTTON(Close, "exit", "Close", Button, true, "application-exit", None, false, 0, 0)

/** One id per toolbar button, made from the rows. */
enum class Tool {
#define VARKO_TOOL_ID(id, ...) id,
#define VARKO_NO_TOOL_ID()
    VARKO_TOOLBAR_ROWS(VARKO_TOOL_ID, VARKO_NO_TOOL_ID)
#undef VARKO_TOOL_ID
#undef VARKO_NO_TOOL_ID
        Count,
    None = Count, ///< a separator
};

/** One toolbar position; a separator's `id` is None. */
struct ToolbarRow
{
    Tool id;
    const char *key; ///< image key; the action is named "toolbar_" + key
    const char *toolTip;
    ToolStyle style;
    bool enabled;
    const char *themeIcon; ///< freedesktop icon name, or null for our own picture only
    Command twin; ///< the menu entry this button runs, or None
    bool placesPointer = false;
    QPoint offset = {};
};

/** The toolbar's positions from left to right, separators included. */
std::span<const ToolbarRow> toolbarTable();
/** The row of a button. */
const ToolbarRow &toolbarRow(Tool id);

/** The toolbar action's object name for a row's image key. */
inline constexpr const char *kToolbarPrefix = "toolbar_";
