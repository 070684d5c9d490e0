// Varko 2000 — the window's menu, pop-up and toolbar entries that drive the file browser.
#pragma once

#include "app/filebrowser.h"

/**
 * Connects the actions the browser owns, found by object name, to its
 * commands: the file entries (`Openf`, `explore`, `openp`, `findf`, `find`,
 * `pastef`, `paste`, `copyf`, `cutf`, `delete`, `cshortcut`, `newfolder`,
 * `newfolder2`, `fileprop3`, `fileprop2`, `fileprop`, `selectall2`,
 * `selectall`, `refresh`, `refresh3`, `up`), the templates (`cdiz`, `cdiz2`,
 * `cnfo`, `cnfo2`, `edit`) and the views (`largei`, `listi`, `details` and
 * their pop-up twins `fvlarge`, `fvlist`, `fvdetails`; `aname`...`adate`
 * and `aname2`...`adate2`; `fnorm`, `flarge`, `biggest`). Keeps their
 * enabled states and check marks in step with the browser and shows
 * `filepop` when the list asks for its pop-up, with the View menu's marks
 * copied into the pop-up's View submenu first.
 */
void connectBrowserActions(FileBrowser *browser, const FileBrowser::ActionLookup &actionByName,
                           QMenu *filepop);
