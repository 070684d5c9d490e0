// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — removing the work folders that runs left behind.
#pragma once

#include <QString>

/**
 * Removes, with their contents, the folders in `tempFolder` named "~Varko"
 * and exactly two more characters that belong to the user. A symbolic link
 * of such a name is left alone, and so is anything it points to. Returns
 * how many folders went.
 */
int removeLeftoverWorkFolders(const QString &tempFolder);
