// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — finding a whole set from one of its zips, its .sfv, or its folder and base name.
#pragma once

#include <QString>

#include <vector>

/** Where a set lies and how its zips are named. */
struct SetLocation
{
    QString folder; ///< the rip-to folder, no trailing '/'
    QString baseName;
    int digits = 2; ///< of the zip numbers: 0 for a set of one zip, 2, or 3 in the over-99 state
    QString problem; ///< why there is no set to test there; the rest is then empty

    /** The full path of zip i (1-based) of a set of `count` zips. */
    QString zipPath(int i, int count) const;
    QString sfvPath() const;
    /** The numbers of the set's zips that are in the folder, ascending. */
    std::vector<int> presentZips() const;
};

/**
 * Finds the set `path` points at: a zip of the set (whose volume inside
 * gives the base name), the set's BASE.sfv, or the folder and base name
 * ("rips/myrel"). Zips are named as the rip run names them.
 */
SetLocation locateSet(const QString &path);
