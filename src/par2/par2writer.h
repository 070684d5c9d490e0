// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — writing a PAR 2.0 recovery set over a list of files.
#pragma once

#include <QString>
#include <QStringList>

/** What to write: how much recovery data, cut into slices of what size. */
struct Par2Options
{
    int percent = 10; ///< recovery slices as a share of the input slices, rounded up
    quint64 sliceSize = 384 * 1024; ///< a multiple of 4
    quint64 memoryBudget = 64 * 1024 * 1024; ///< recovery bytes held at once, beyond it in strips
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
Par2WriteResult writePar2(const QStringList &inputs, const QString &base, const Par2Options &options);
