// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — writes the planned volumes, or nothing at all.
#pragma once

#include "volumes/entry.h"
#include "volumes/formatwriter.h"
#include "volumes/volumefile.h"
#include "volumes/volumeplan.h"

#include <string>
#include <vector>

class VolumeNaming;

/**
 * Streams the entries' data into the planned volumes in one pass: each
 * piece's header is written with placeholder bytes, the data follows with
 * its CRC computed on the way, then the header is patched. Memory stays at
 * one buffer whatever the sizes. On any failure (a write error, a source
 * that shrank or vanished, an interrupting signal) every volume written so
 * far is removed and error() says why.
 */
class VolumeSetWriter
{
public:
    VolumeSetWriter(const FormatWriter &format, const std::vector<Entry> &entries, const VolumeNaming &naming);
    ~VolumeSetWriter();

    bool write(const std::vector<PlannedVolume> &volumes, bool volumeSet);
    const std::string &error() const { return m_error; }

    /** Called from signal handlers: the write stops at the next block and cleans up. */
    static void requestStop();

private:
    bool writeVolume(const PlannedVolume &volume, const VolumeInfo &info);
    bool writePiece(const Piece &piece);
    bool copyData(const Piece &piece, uint32_t &crc);
    bool openSource(const Piece &piece);
    void closeSource();
    bool fail(const std::string &message);

    const FormatWriter &m_format;
    const std::vector<Entry> &m_entries;
    const VolumeNaming &m_naming;
    VolumeFile m_file;
    std::vector<std::string> m_created;
    int m_source = -1;
    uint32_t m_runningCrc = 0;
    std::string m_error;
};
