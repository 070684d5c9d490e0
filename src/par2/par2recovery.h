// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — recovery slices computed one strip of bytes at a time, over all cores.
#pragma once

#include "gf16.h"
#include "par2input.h"

#include <QByteArray>
#include <QList>

#include <vector>

/**
 * The bytes [begin, begin + width) of recovery slices 0..count-1: each the sum over the input
 * slices of the slice's constant to the power of the exponent times its words.
 */
class Par2RecoveryStrip
{
public:
    Par2RecoveryStrip(int count, qint64 inputSlices, quint64 begin, quint64 width);
    /** The most pieces `add` should take at once, so that their factors' tables stay small. */
    static qsizetype maxPieces(int count);
    /**
     * Adds what the pieces hold of the strip, each thread taking a range of its bytes (and so
     * writing only there), in blocks small enough for the caches.
     */
    void add(const QList<Par2SlicePiece> &pieces);
    /** Recovery slice `exponent`'s bytes in the strip. */
    QByteArrayView bytes(int exponent) const;

private:
    void addRange(const QList<Par2SlicePiece> &pieces, quint64 from, quint64 to);
    void addBlock(const QList<Par2SlicePiece> &pieces, quint64 from, quint64 to);
    void makeTables(const QList<Par2SlicePiece> &pieces);

    int m_count;
    quint64 m_begin;
    quint64 m_width;
    QList<quint32> m_logs;
    QByteArray m_words;
    std::vector<Gf16::FactorTables> m_tables; // of the pieces being added: exponent by exponent, piece by piece
    int m_threads;
    Gf16::Kernel m_kernel = Gf16::defaultKernel();
};
