// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the headers of our own RAR and ACE store volumes, as a reader sees them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class ArchiveFormat { Rar, Ace };

/** One decoded block header: what follows it and, for a file piece, how to check it. */
struct VolumeBlock
{
    enum class Kind { Main, File, End, Other };
    Kind kind = Kind::Other;
    qint64 dataSize = 0; ///< bytes after the header, in this volume
    QString name; ///< a file's name, '/' between folders
    bool continuesPrevious = false;
    bool continuesNext = false;
    quint32 crc = 0; ///< as the header stores it
    bool nextVolume = false; ///< a RAR end block announcing another volume
    QString problem; ///< set when the header is damaged; nothing else is then known
};

namespace VolumeBlocks {

/** The bytes every volume starts with before its first block; empty for ACE. */
QByteArray volumeSignature(ArchiveFormat format);

/** How many bytes of a block tell its header's size. */
qsizetype prefixSize(ArchiveFormat format);

/** The whole header's size from its first prefixSize bytes. */
qsizetype headerSize(ArchiveFormat format, QByteArrayView prefix);

/** Decodes a whole header, its CRC checked. */
VolumeBlock decode(ArchiveFormat format, QByteArrayView header);

/**
 * What a file piece's header must hold: RAR stores the piece's own CRC
 * while the file goes on and the whole file's at its end; ACE the running
 * CRC without the final inversion.
 */
quint32 expectedCrc(ArchiveFormat format, bool continuesNext, quint32 pieceCrc, quint32 runningCrc);

} // namespace VolumeBlocks
