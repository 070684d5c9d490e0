// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what a finished set gets besides its zips: an .sfv, PAR2 files, and how much recovery data.
#pragma once

#include <QList>

/**
 * Kept in the desktop's settings store for the program, not in options.ini,
 * which stays byte for byte as other copies of the program write it. Each
 * read goes to the store, so a switch flipped while a run works counts.
 */
namespace SetExtras {
bool writeSfv();
void setWriteSfv(bool on);
bool writePar2();
void setWritePar2(bool on);
/** The recovery data, in percent of the zips: one of `redundancyChoices()`. */
int redundancy();
void setRedundancy(int percent);
/** 5, 10, 20 and 30: what the options dialog offers. */
const QList<int> &redundancyChoices();
} // namespace SetExtras
