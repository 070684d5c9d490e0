// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — where a queued row goes: the "In" column.
#pragma once

#include "store/ripsettings.h"

#include <QString>

/**
 * The "In" column as a value. Rar and Ace both mean "in the archive"; the
 * one a row shows follows the archive type chosen when it got its place.
 * None is the empty column of a row whose file was not found.
 */
enum class Placement : quint8 { None, Rar, Ace, Zip, FirstZipOnly };

/** "Rar", "Ace", "Zip", "1st Zip only", or the empty text for None. */
QString placementText(Placement in);

/** The queued name every zip's description file has. */
inline const QString kDizName = QStringLiteral("file_id.diz");

/** "Rar" or "Ace": both mean the row is packed into the archive. */
bool isArchivePlacement(Placement in);

/** The archive placement for the settings' archive type: Rar when `rarace` is 1, else Ace. */
Placement archivePlacement(const RipSettings &settings);

/** Whether the volumes are zipped (`zip` is 1). */
bool isZipping(const RipSettings &settings);

/** A name compared with a literal: its lower-case form, so FILE_ID.DIZ counts as file_id.diz. */
bool isDizName(const QString &name);
bool isNfoName(const QString &name);

/**
 * The "In" of a new row named `name`: while zipping, Zip for file_id.diz,
 * FirstZipOnly or Zip for an .nfo after `nfo1st`; everything else, and
 * every row while not zipping, the archive placement.
 */
Placement defaultPlacement(const QString &name, const RipSettings &settings);
