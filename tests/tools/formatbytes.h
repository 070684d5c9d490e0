// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — written blocks as spaced hex, to compare with annotated examples.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

inline QByteArray bytes(const std::vector<uint8_t> &v)
{
    return QByteArray(reinterpret_cast<const char *>(v.data()), qsizetype(v.size()));
}

/** `v` as upper-case hex pairs separated by blanks, e.g. "52 61 72". */
inline QByteArray hexOf(const std::vector<uint8_t> &v)
{
    return bytes(v).toHex(' ').toUpper();
}

inline QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}
