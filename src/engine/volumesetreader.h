// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — following a RAR or ACE store set through its volumes, checking every file's CRC.
#pragma once

#include "engine/volumeblocks.h"
#include "zip/crc32stream.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

/**
 * Reads the volumes of one set in order, fed in chunks as they stream from
 * wherever they are kept, and never holds more than one header. Checks
 * every header's CRC, every file's CRC against its header, and that each
 * split file goes on, piece by piece, in the next volume. What it finds is
 * collected as faults, one sentence each, for the caller to place.
 */
class VolumeSetReader
{
public:
    explicit VolumeSetReader(ArchiveFormat format);

    void beginVolume();
    void feed(const char *data, qsizetype size);
    /** The volume's bytes are all in; `last`: no volume follows it. */
    void endVolume(bool last);
    /** The volume could not be read (or not to its end): what spans it goes unchecked. */
    void loseVolume();

    /** The faults found since the last call. */
    QStringList takeFaults();
    /** Files whose every piece was read and matched its CRC. */
    int filesChecked() const { return m_filesChecked; }

private:
    enum class Stage { Signature, Prefix, Header, Data, Ended, Lost };

    void fill(const char *&data, qsizetype &size);
    void bufferFull();
    void takeBlock(const VolumeBlock &block);
    void startPiece(const VolumeBlock &block);
    void endData();
    void fail(const QString &fault);

    ArchiveFormat m_format;
    Stage m_stage = Stage::Lost;
    QByteArray m_buffer; ///< the header being gathered
    qsizetype m_need = 0; ///< bytes the buffer must reach
    qint64 m_dataLeft = 0; ///< data bytes of the current block still to come
    bool m_sawMain = false;
    bool m_sawEnd = false;
    bool m_nextVolume = false;
    bool m_firstPiece = true; ///< no file piece yet in this volume
    bool m_inPiece = false; ///< the data being read is a file piece's
    VolumeBlock m_piece;
    Crc32Stream m_pieceCrc;
    Crc32Stream m_runningCrc;
    bool m_crcKnown = true; ///< false for a file begun in a volume that could not be read
    QString m_openFile; ///< a file whose last piece said it goes on in the next volume
    QStringList m_faults;
    int m_filesChecked = 0;
};
