// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — writing a PAR 2.0 recovery set over a list of files.
#pragma once

#include "par2checksums.h"

#include <QHash>
#include <QString>
#include <QStringList>

/** What to write: how much recovery data, cut into slices of what size. */
struct Par2Options
{
    int percent = 10; ///< recovery slices as a share of the input slices, rounded up
    quint64 sliceSize = 384 * 1024; ///< a multiple of 4
    /// Recovery bytes held at once, beyond it in strips; reading adds 16 MB, tables 4. The default keeps
    /// the whole run under 256 MB and computes sets of up to about 1.9 GB at 10 % in one pass.
    quint64 memoryBudget = 192 * 1024 * 1024;
    /// Checksums already taken of inputs (by path, as in the list), for instance as they were
    /// written: those taken for this slice size are not taken again, only the file's length is
    /// checked against them; others are ignored.
    QHash<QString, Par2FileChecksums> checksums;
};

/** The files written, or nothing and the reason naming the path. */
struct Par2WriteResult
{
    QStringList files;
    QString error;
};

/**
 * Writes `base`.par2 (main, file descriptions, slice checksums, creator) and the
 * `base`.volNN+MM.par2 files holding the recovery slices over `inputs`, which the set names by
 * their file names. Memory stays bounded whatever the inputs' size. On failure nothing written
 * is left behind.
 */
/** About a thousand slices over `totalBytes`: few enough to be quick, enough to spread damage. */
quint64 par2SliceSizeFor(quint64 totalBytes);

Par2WriteResult writePar2(const QStringList &inputs, const QString &base, const Par2Options &options);
