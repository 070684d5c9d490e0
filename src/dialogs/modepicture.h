// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the mode picture: how the volumes are packed, at a glance.
#pragma once

#include "store/ripsettings.h"

#include <QPixmap>

/** What the mode picture shows: zipped volumes, or the bare archive type. */
enum class PackMode { Zip, Rar, Ace };

/** Zip while zipping is on, else Rar when `rarace` is 1, else Ace. */
PackMode packMode(const RipSettings &settings);

/** The picture for a mode, `side` pixels square. */
QPixmap modePixmap(PackMode mode, int side);
