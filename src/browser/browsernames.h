// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — names the browser gives to what it makes: numbered when taken.
#pragma once

#include <QString>

/**
 * `name` when nothing of that name is in `folder` (a dangling link counts
 * as taken), else the first free of "name (2)", "name (3)", ...
 */
QString freeName(const QString &folder, const QString &name);

/**
 * Makes the symbolic link "Link to NAME" beside `path`, numbered when taken,
 * pointing at NAME relative to its own folder (so the pair can move
 * together). The new link's path, or empty when it could not be made.
 */
QString makeLink(const QString &path);
