// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the input files of a PAR 2.0 set: their identities, order and slices.
#pragma once

#include "par2packet.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

/** One input file: where it is, what its description says so far, where its slices start. */
struct Par2Input
{
    QString path;
    Par2FileDescription description; ///< all but the whole file's MD5
    qint64 firstSlice = 0; ///< number of its first slice in the set
    qint64 sliceCount(quint64 sliceSize) const;
};

/**
 * The files at `paths`, named by their file names, identified from their heads and lengths,
 * in the set's order (by File ID, compared from the last byte to the first) with their slices
 * numbered; empty with `error` naming the path when one cannot be read.
 */
QList<Par2Input> par2Inputs(const QStringList &paths, quint64 sliceSize, QString *error);

/** A run of one input slice's bytes as read; bytes past the file's end are not in it. */
struct Par2SlicePiece
{
    qsizetype file = 0; ///< index into the inputs
    qint64 slice = 0; ///< number in the set
    quint64 offset = 0; ///< of the first byte in the slice
    QByteArrayView bytes;
    bool endsSlice = false; ///< the slice's last byte in the file is in this piece
};

/**
 * Reads bytes [begin, end) of every input slice, file by file in set order, in pieces of at
 * most a bounded size, and hands each piece to `visit`; false with `error` naming the path
 * when a file cannot be read or has changed length.
 */
bool readPar2Slices(const QList<Par2Input> &inputs, quint64 sliceSize, quint64 begin, quint64 end,
                    const std::function<void(const Par2SlicePiece &)> &visit, QString *error);
