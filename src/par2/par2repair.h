// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — rebuilding the damaged and missing files of a PAR 2.0 set from its recovery slices.
#pragma once

#include "par2reader.h"
#include "par2verify.h"

#include <QString>
#include <QStringList>

/** The files put back whole (their names), or why the repair stopped. */
struct Par2RepairResult
{
    QStringList repaired;
    QString error;
};

/**
 * Rebuilds every file `verification` found damaged or missing: solves for the bad slices from
 * the good ones and the recovery slices, a strip of bytes at a time so that the slices held
 * stay within `memoryBudget` bytes, the work shared among the cores. Each file is written beside
 * its place and renamed into it once its MD5 matches; whole files are not touched, and nothing is
 * when the set cannot be repaired.
 */
Par2RepairResult repairPar2Set(const Par2Set &set, const Par2Verification &verification,
                               quint64 memoryBudget = 96 * 1024 * 1024);
