// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — following a RAR or ACE store set through its volumes, checking every file's CRC.
#include "engine/volumesetreader.h"

VolumeSetReader::VolumeSetReader(ArchiveFormat format)
    : m_format(format)
{
}

void VolumeSetReader::beginVolume()
{
    const bool signature = !VolumeBlocks::volumeSignature(m_format).isEmpty();
    m_stage = signature ? Stage::Signature : Stage::Prefix;
    m_need = signature ? VolumeBlocks::volumeSignature(m_format).size() : VolumeBlocks::prefixSize(m_format);
    m_buffer.clear();
    m_sawMain = m_sawEnd = m_nextVolume = m_inPiece = false;
    m_firstPiece = true;
}

void VolumeSetReader::feed(const char *data, qsizetype size)
{
    while (size > 0) {
        switch (m_stage) {
        case Stage::Signature:
        case Stage::Prefix:
        case Stage::Header: fill(data, size); break;
        case Stage::Data: {
            const qsizetype n = static_cast<qsizetype>(std::min<qint64>(m_dataLeft, size));
            if (m_inPiece) {
                m_pieceCrc.add(data, n);
                m_runningCrc.add(data, n);
            }
            data += n;
            size -= n;
            m_dataLeft -= n;
            if (m_dataLeft == 0)
                endData();
            break;
        }
        case Stage::Ended: fail(QStringLiteral("bytes after the end of the volume")); return;
        case Stage::Lost: return;
        }
    }
}

void VolumeSetReader::fill(const char *&data, qsizetype &size)
{
    const qsizetype n = std::min(size, m_need - m_buffer.size());
    m_buffer.append(data, n);
    data += n;
    size -= n;
    if (m_buffer.size() == m_need)
        bufferFull();
}

void VolumeSetReader::bufferFull()
{
    if (m_stage == Stage::Signature) {
        if (m_buffer != VolumeBlocks::volumeSignature(m_format))
            return fail(QStringLiteral("does not start as a volume of this archive"));
        m_stage = Stage::Prefix;
        m_need = VolumeBlocks::prefixSize(m_format);
        m_buffer.clear();
    } else if (m_stage == Stage::Prefix) {
        m_need = VolumeBlocks::headerSize(m_format, m_buffer);
        if (m_need < VolumeBlocks::prefixSize(m_format))
            return fail(QStringLiteral("a damaged header (impossible size)"));
        m_stage = Stage::Header;
        if (m_buffer.size() == m_need)
            bufferFull();
    } else {
        const VolumeBlock block = VolumeBlocks::decode(m_format, m_buffer);
        m_buffer.clear();
        if (!block.problem.isEmpty())
            return fail(block.problem);
        takeBlock(block);
    }
}

void VolumeSetReader::takeBlock(const VolumeBlock &block)
{
    if (!m_sawMain && block.kind != VolumeBlock::Kind::Main)
        return fail(QStringLiteral("no main header at its start"));
    if (block.dataSize < 0)
        return fail(QStringLiteral("a damaged header (impossible size)"));
    m_sawMain = true;
    if (block.kind == VolumeBlock::Kind::File)
        startPiece(block);
    if (block.kind == VolumeBlock::Kind::End) {
        m_sawEnd = true;
        m_nextVolume = block.nextVolume;
    }
    m_dataLeft = block.dataSize;
    m_stage = Stage::Data;
    if (m_dataLeft == 0)
        endData();
}

void VolumeSetReader::startPiece(const VolumeBlock &block)
{
    if (!block.continuesPrevious) {
        if (!m_openFile.isEmpty())
            m_faults << QStringLiteral("%1 stops short: this volume does not go on with it").arg(m_openFile);
        m_runningCrc = Crc32Stream();
        m_crcKnown = true;
    } else if (m_openFile.isEmpty()) {
        if (m_crcKnown)
            m_faults << QStringLiteral("%1 goes on from a piece no earlier volume holds").arg(block.name);
        m_crcKnown = false;
    } else if (!m_firstPiece || block.name != m_openFile) {
        m_faults << QStringLiteral("%1 stops short: this volume goes on with %2 instead").arg(m_openFile, block.name);
        m_crcKnown = false;
    }
    m_openFile.clear();
    m_firstPiece = false;
    m_inPiece = true;
    m_piece = block;
    m_pieceCrc = Crc32Stream();
}

void VolumeSetReader::endData()
{
    m_stage = m_sawEnd ? Stage::Ended : Stage::Prefix;
    m_need = VolumeBlocks::prefixSize(m_format);
    if (!m_inPiece)
        return;
    m_inPiece = false;
    if (m_piece.continuesNext)
        m_openFile = m_piece.name;
    if (!m_crcKnown)
        return;
    const quint32 expected =
        VolumeBlocks::expectedCrc(m_format, m_piece.continuesNext, m_pieceCrc.value(), m_runningCrc.value());
    if (expected != m_piece.crc)
        m_faults << QStringLiteral("%1 fails its CRC (the header says %2, the data gives %3)")
                        .arg(m_piece.name, crcText(m_piece.crc), crcText(expected));
    else if (!m_piece.continuesNext)
        ++m_filesChecked;
}

void VolumeSetReader::endVolume(bool last)
{
    if (m_stage == Stage::Lost)
        return;
    const bool midBlock = m_stage == Stage::Data || !m_buffer.isEmpty() || m_stage == Stage::Signature;
    if (midBlock)
        return fail(m_inPiece ? QStringLiteral("cut short inside %1").arg(m_piece.name)
                              : QStringLiteral("cut short inside a header"));
    if (!m_sawMain)
        return fail(QStringLiteral("empty: not even a main header"));
    if (!VolumeBlocks::volumeSignature(m_format).isEmpty() && !m_sawEnd)
        m_faults << QStringLiteral("no end block: the volume is cut short");
    else if (m_sawEnd && m_nextVolume != !last)
        m_faults << (last ? QStringLiteral("announces a next volume, but the set has no more")
                          : QStringLiteral("says the set ends here, but more volumes follow"));
    if (last && !m_openFile.isEmpty())
        m_faults << QStringLiteral("the set ends inside %1: its last piece is missing").arg(m_openFile);
}

void VolumeSetReader::loseVolume()
{
    m_stage = Stage::Lost;
    m_openFile.clear();
    m_inPiece = false;
    m_crcKnown = false;
}

void VolumeSetReader::fail(const QString &fault)
{
    m_faults << fault;
    loseVolume();
}

QStringList VolumeSetReader::takeFaults()
{
    return std::exchange(m_faults, {});
}
