// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — recovery slices computed one strip of bytes at a time.
#pragma once

#include "par2input.h"

#include <QByteArray>
#include <QList>

/**
 * The bytes [begin, begin + width) of recovery slices 0..count-1: each the sum over the input
 * slices of the slice's constant to the power of the exponent times its words.
 */
class Par2RecoveryStrip
{
public:
    Par2RecoveryStrip(int count, qint64 inputSlices, quint64 begin, quint64 width);
    void add(const Par2SlicePiece &piece);
    /** Recovery slice `exponent`'s bytes in the strip. */
    QByteArrayView bytes(int exponent) const;

private:
    int m_count;
    quint64 m_begin;
    quint64 m_width;
    QList<quint32> m_logs;
    QByteArray m_words;
    QByteArray m_odd; // a piece ending in half a word, completed with a zero byte
};
