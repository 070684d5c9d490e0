// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — which files of a PAR 2.0 set are whole, damaged or missing, and whether they can be rebuilt.
#pragma once

#include "par2reader.h"

#include <QList>
#include <QString>

/** One protected file as found beside the PAR2 files. */
struct Par2FileCheck
{
    enum class State { Whole, Damaged, Missing };

    QString path;
    State state = State::Missing;
    QList<bool> goodSlices; ///< per slice of the file: found intact at its place
    QString refusal; ///< why a repair must not replace it (not a regular file, a link); empty when it may

    QString name() const;
    int badSlices() const;
};

/** A whole set's check: every file, and the blocks a repair needs and has. */
struct Par2Verification
{
    QList<Par2FileCheck> files; ///< in the set's order
    int blocksNeeded = 0; ///< slices of damaged and missing files not found intact
    int blocksAvailable = 0; ///< intact recovery slices

    bool isWhole() const;
    bool isRepairable() const { return blocksAvailable >= blocksNeeded; }
};

/**
 * Checks every file of `set` in its folder: whole when its length and MD5 match; otherwise each
 * slice at its place by CRC-32 and MD5 (a slice the file is too short for is bad). Reads only.
 */
Par2Verification verifyPar2Set(const Par2Set &set);

/** "N blocks needed, M available": how the set's state is told. */
QString par2BlocksText(const Par2Verification &verification);
