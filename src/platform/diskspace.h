// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — free space of the file system that holds a folder.
#pragma once

#include <QString>

#include <optional>

/**
 * Free bytes available to the user (not those kept for root) on the file
 * system of `folder`; none when it is no folder or cannot be asked.
 */
std::optional<qint64> freeBytes(const QString &folder);
