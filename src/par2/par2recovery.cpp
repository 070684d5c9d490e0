// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — recovery slices computed one strip of bytes at a time, over all cores.
#include "par2recovery.h"

#include <QThread>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

// A block's input bytes (one block per piece) stay in the core's cache while every recovery
// slice takes them, and each recovery slice's block stays in the nearest cache while every piece
// is added to it.
constexpr quint64 BlockBytes = 16 * 1024;
// Threads' ranges start at multiples of this, keeping whole words and vectors each.
constexpr quint64 RangeStep = 64;
constexpr quint64 MinThreadBytes = 32 * 1024;
constexpr qsizetype TablesBytes = 4 * 1024 * 1024;

struct Source
{
    const uchar *bytes;
    quint64 at; ///< in the strip
    qsizetype size;
    qsizetype piece;
};

} // namespace

Par2RecoveryStrip::Par2RecoveryStrip(int count, qint64 inputSlices, quint64 begin, quint64 width)
    : m_count(count)
    , m_begin(begin)
    , m_width(width)
    , m_logs(Gf16::sliceConstantLogs(int(inputSlices)))
    , m_words(qsizetype(quint64(count) * width), '\0')
    , m_threads(int(std::clamp<quint64>(width / MinThreadBytes, 1, quint64(QThread::idealThreadCount()))))
{
}

qsizetype Par2RecoveryStrip::maxPieces(int count)
{
    return std::max<qsizetype>(1, TablesBytes / qsizetype(sizeof(Gf16::FactorTables)) / count);
}

void Par2RecoveryStrip::add(const QList<Par2SlicePiece> &pieces)
{
    makeTables(pieces);
    const quint64 share = (m_width / quint64(m_threads) + RangeStep - 1) / RangeStep * RangeStep;
    std::vector<std::jthread> helpers;
    for (int t = 1; t < m_threads; ++t) {
        const quint64 from = std::min(m_width, share * quint64(t));
        helpers.emplace_back([this, &pieces, from, share] { addRange(pieces, from, std::min(m_width, from + share)); });
    }
    addRange(pieces, 0, std::min(m_width, share));
}

// Made once for all threads and blocks: making a factor's tables takes about as long as
// multiplying a block by it.
void Par2RecoveryStrip::makeTables(const QList<Par2SlicePiece> &pieces)
{
    m_tables.resize(std::size_t(m_count) * std::size_t(pieces.size()));
    auto tables = m_tables.begin();
    for (int e = 0; e < m_count; ++e) {
        for (const Par2SlicePiece &piece : pieces)
            *tables++ = Gf16::factorTables(Gf16::powerOfTwo(quint64(m_logs[piece.slice]) * quint64(e)));
    }
}

void Par2RecoveryStrip::addRange(const QList<Par2SlicePiece> &pieces, quint64 from, quint64 to)
{
    for (quint64 block = from; block < to; block += BlockBytes)
        addBlock(pieces, block, std::min(to, block + BlockBytes));
}

// Strip bytes [from, to): an odd piece (a file's end) adds one byte more, its word's high half,
// which is still before `to` since `to` is even.
void Par2RecoveryStrip::addBlock(const QList<Par2SlicePiece> &pieces, quint64 from, quint64 to)
{
    std::vector<Source> sources;
    for (qsizetype p = 0; p < pieces.size(); ++p) {
        const Par2SlicePiece &piece = pieces[p];
        const quint64 first = std::max(piece.offset, m_begin + from);
        const quint64 last = std::min(piece.offset + quint64(piece.bytes.size()), m_begin + to);
        if (first < last) {
            const auto *bytes = reinterpret_cast<const uchar *>(piece.bytes.data()) + (first - piece.offset);
            sources.push_back({bytes, first - m_begin, qsizetype(last - first), p});
        }
    }
    if (sources.empty())
        return;
    for (int e = 0; e < m_count; ++e) {
        auto *recovery = reinterpret_cast<uchar *>(m_words.data()) + quint64(e) * m_width;
        const Gf16::FactorTables *tables = m_tables.data() + std::size_t(e) * std::size_t(pieces.size());
        for (const Source &source : sources)
            Gf16::addProduct(m_kernel, tables[source.piece], recovery + source.at, source.bytes, source.size);
    }
}

QByteArrayView Par2RecoveryStrip::bytes(int exponent) const
{
    return QByteArrayView(m_words.constData() + quint64(exponent) * m_width, qsizetype(m_width));
}
