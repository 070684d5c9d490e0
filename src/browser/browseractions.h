// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the window's menu, pop-up and toolbar entries that drive the file browser.
#pragma once

#include "browser/filebrowser.h"

/**
 * Connects the actions the browser owns, found by object name, to its
 * commands: `Openf`, `explore`, `openp`, `findf`, `find`, `pastef`,
 * `paste`, `copyf`, `cutf`, `delete`, `cshortcut`, `newfolder`,
 * `newfolder2`, `fileprop3`, `fileprop2`, `fileprop`, `selectall2`,
 * `selectall`, `cdiz`, `cdiz2`, `cnfo`, `cnfo2`, `edit` and the toolbar's
 * "Up 1 level" button `toolbar_up`. Keeps the enabled state of `Openf`,
 * `fileprop3`, `copyf`, `cutf`, `delete`, `fileprop`, `edit` and of the
 * toolbar's `toolbar_edit` in step with the browser, and shows `filepop`
 * where the list asks for its pop-up.
 */
void connectBrowserActions(FileBrowser *browser, const FileBrowser::ActionLookup &actionByName, QMenu *filepop);
