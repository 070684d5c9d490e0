// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the PAR2 files beside a set: finding them and what they say of the set.
#pragma once

#include "engine/setlocation.h"

#include <QString>
#include <QStringList>

/**
 * The PAR2 files of the set `path` points at: one of them (BASE.par2, BASE.volN+M.par2), the
 * folder and base name, or a zip of the set; the main file first. Empty when there are none.
 */
QStringList recoveryFilesAt(const QString &path);

/**
 * What the PAR2 files beside the set at `location` say of it: "repairable with BASE.par2 (N
 * blocks needed, M available)", "not repairable ...", or that they find their files whole.
 * Empty when there are none. Reads every file of the set; changes none.
 */
QString recoveryVerdict(const SetLocation &location);
