// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the input files of a PAR 2.0 set: their identities, order and slices, and reading them.
#pragma once

#include "par2checksums.h"
#include "par2packet.h"

#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

/** One input file: where it is, what its description says so far, where its slices start. */
struct Par2Input
{
    QString path;
    Par2FileDescription description; ///< all but the whole file's MD5
    Par2FileChecksums checksums; ///< given, or taken as the file is read: empty MD5 until then
    qint64 firstSlice = 0; ///< number of its first slice in the set
    qint64 sliceCount(quint64 sliceSize) const;
    bool hashed() const { return !checksums.md5.isEmpty(); }
};

/**
 * The files at `paths`, named by their file names, identified from their heads and lengths,
 * in the set's order (by File ID, compared from the last byte to the first) with their slices
 * numbered; empty with `error` naming the path when one cannot be read or is not the length
 * its `known` checksums (by path, taken for this slice size) say.
 */
QList<Par2Input> par2Inputs(const QStringList &paths, quint64 sliceSize, const QHash<QString, Par2FileChecksums> &known,
                            QString *error);

/** A run of one input slice's bytes as read; bytes past the file's end are not in it. */
struct Par2SlicePiece
{
    qsizetype file = 0; ///< index into the inputs
    qint64 slice = 0; ///< number in the set
    quint64 offset = 0; ///< of the first byte in the slice
    QByteArrayView bytes;
};

/** Pieces read in one go into one buffer, which they view. */
struct Par2Batch
{
    QByteArray buffer;
    QList<Par2SlicePiece> pieces;
};

/**
 * Reads bytes [begin, end) of every input slice, file by file in set order, into batches of at
 * most `capacity` bytes and `maxPieces` pieces; neighbouring pieces of a file are read in one call.
 */
class Par2SliceReader
{
public:
    Par2SliceReader(const QList<Par2Input> &inputs, quint64 sliceSize, quint64 begin, quint64 end, qsizetype capacity,
                    qsizetype maxPieces);
    /**
     * Fills `batch` with the next pieces; false when none are left, or when a file cannot be
     * read or has changed length, then with `error` naming the path.
     */
    bool next(Par2Batch *batch, QString *error);

private:
    bool atPiece();
    bool read(qsizetype file, quint64 position, char *into, qint64 bytes, QString *error);

    const QList<Par2Input> &m_inputs;
    quint64 m_sliceSize;
    quint64 m_begin;
    quint64 m_end;
    qsizetype m_capacity;
    qsizetype m_maxPieces;
    qsizetype m_file = 0; // where the next piece starts: file, its slice, offset in the slice
    qint64 m_slice = 0;
    quint64 m_offset;
    qsizetype m_openFile = -1;
    QFile m_open;
};
