// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the system of equations a PAR 2.0 repair solves, over GF(2^16).
#pragma once

#include <QList>
#include <QtGlobal>

#include <optional>

/** The recovery slices chosen to rebuild the missing ones, and how. */
struct Par2Solution
{
    QList<quint32> exponents; ///< one per missing slice
    QList<quint16> inverse; ///< row j, column r: the factor of recovery slice r in missing slice j
    int size() const { return int(exponents.size()); }
    quint16 factor(int missing, int recovery) const { return inverse[missing * size() + recovery]; }
};

/**
 * Chooses, from `exponents` in their order, as many recovery slices as there are missing slices
 * (`missingLogs`: the logarithms of their constants) whose equations are independent, skipping any
 * that would make the system singular, and inverts the system. No value when too few are.
 */
std::optional<Par2Solution> par2Solve(const QList<quint32> &missingLogs, const QList<quint32> &exponents);
