// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what the main window's panels and menus show for a setting.
#pragma once

#include <QString>

#include <optional>

/** The archive-type panel: "Rar" when `rarace` is 1, else "Ace" (a hand-edited 2 included). */
QString archiveTypeCaption(qint16 rarace);

/** The zip panel: "Zip" when `zip` is 1, else nothing. */
QString zipCaption(qint16 zip);

/** The paths panel: "Paths" when `savepaths` is 1, else nothing. */
QString pathsCaption(qint16 savepaths);

/** The rip-to panel: the folder followed by ten blanks. */
QString ripToCaption(const QString &riptodir);

/** The compression entry (0 Store to 5 Maximum) that a level checks; none outside 0 to 5. */
std::optional<int> checkedCompressionEntry(qint16 level);

/** The font size start-up applies: "8", "10" or "12"; any other text becomes "8". */
QString startupFontSize(const QString &fonts);
