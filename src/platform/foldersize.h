// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the total size of everything inside a folder.
#pragma once

#include <QString>

#include <optional>

/**
 * The sum of the lengths of all regular files below `folder`, at any depth.
 * Symbolic links are neither followed nor counted, so a link loop cannot
 * hang the walk. Unreadable subfolders are left out. No value when `folder`
 * itself is not a readable folder.
 */
std::optional<qint64> folderBytes(const QString &folder);
