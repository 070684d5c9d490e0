// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the description and info file templates the browser makes.
#pragma once

#include <QByteArray>
#include <QString>

enum class ReleaseTemplate { Diz, Nfo };

/** "New file_id.diz" or "New about.nfo". */
QString templateFileName(ReleaseTemplate kind);

/**
 * The template's bytes: CR LF line ends, the last line without one. The
 * diz keeps to 45 characters a line and 10 lines; its first line is the
 * "xx/xx" marker the zip stage numbers.
 */
QByteArray templateBytes(ReleaseTemplate kind);

/**
 * Writes the template into `folder`, replacing a file of that name. The
 * written file's path, or empty when the folder took nothing.
 */
QString writeTemplate(const QString &folder, ReleaseTemplate kind);
