// Varko 2000 — where a queued row goes: the "In" column.
#pragma once

#include "store/ripsettings.h"

#include <QString>

/** The four texts of the "In" column. */
namespace Placement {
inline const QString Rar = QStringLiteral("Rar");
inline const QString Ace = QStringLiteral("Ace");
inline const QString Zip = QStringLiteral("Zip");
inline const QString FirstZipOnly = QStringLiteral("1st Zip only");
} // namespace Placement

/** The queued name every zip's description file has. */
inline const QString kDizName = QStringLiteral("file_id.diz");

/** "Rar" or "Ace": both mean the row is packed into the archive. */
bool isArchivePlacement(const QString &in);

/** The archive placement for the settings' archive type: "Rar" when `rarace` is 1, else "Ace". */
QString archivePlacement(const RipSettings &settings);

/** Whether the volumes are zipped (`zip` is 1). */
bool isZipping(const RipSettings &settings);

/** A name compared with a literal: its lower-case form, so FILE_ID.DIZ counts as file_id.diz. */
bool isDizName(const QString &name);
bool isNfoName(const QString &name);

/**
 * The "In" of a new row named `name`: while zipping, "Zip" for file_id.diz,
 * "1st Zip only" or "Zip" for an .nfo after `nfo1st`; everything else, and
 * every row while not zipping, the archive placement.
 */
QString defaultPlacement(const QString &name, const RipSettings &settings);
