// Varko 2000 — the type name the desktop shows for a file or folder.
#pragma once

#include <QString>

/** The type text for every folder. */
inline const QString kFolderTypeName = QStringLiteral("File Folder");

/**
 * "File Folder" for a folder; for a file the description of its MIME type
 * (for example "plain text document"). Empty when nothing exists at `path`.
 */
QString shellTypeName(const QString &path);
