// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the type name the desktop shows for a file or folder.
#pragma once

#include <QString>

/** The type text for every folder. */
inline const QString kFolderTypeName = QStringLiteral("File Folder");

/**
 * The type name of a file called `fileName` (a name or a path), found by its
 * name alone: the description of its MIME type (for example "plain text
 * document"); for a name the MIME database does not know, its extension in
 * capitals and " file" ("DIZ file"), or "File" when it has none.
 */
QString fileTypeName(const QString &fileName);

/** "File Folder" for a folder, `fileTypeName` for a file; empty when nothing exists at `path`. */
QString shellTypeName(const QString &path);
