// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the browser's file operations that talk to the user.
#pragma once

#include <QStringList>

class QWidget;

/**
 * Pastes `sources` into `folder` (moves them when `move`), asking
 * "Replace NAME?" before anything is overwritten, with a progress dialog
 * when the copy takes a while and one message at the end naming every file
 * that failed.
 */
void pasteFiles(QWidget *owner, const QStringList &sources, const QString &folder, bool move);

/**
 * After a confirmation naming the count, moves `paths` to the desktop's
 * trash in order. The first that cannot be trashed is named in one message
 * and nothing after it is touched. True when everything went.
 */
bool trashFiles(QWidget *owner, const QStringList &paths);

/** One message listing what failed, when anything did. */
void reportFailures(QWidget *owner, const QString &what, const QStringList &failures);
