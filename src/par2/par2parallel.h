// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the work of a PAR 2.0 check or repair shared among the cores.
#pragma once

#include <QtGlobal>

#include <functional>

/**
 * Runs work(lo, hi) over [0, bytes), one range per core (each a multiple of 64 bytes but the
 * last, none under 64 KiB), and returns when all are done.
 */
void par2InParallel(qsizetype bytes, const std::function<void(qsizetype, qsizetype)> &work);

/** Runs work(i) for every i in [0, count), the cores taking the next i as they become free. */
void par2ForEach(qsizetype count, const std::function<void(qsizetype)> &work);
