// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — rebuilding the damaged and missing files of a PAR 2.0 set from its recovery slices.
#include "par2repair.h"

#include "gf16.h"
#include "par2matrix.h"
#include "par2outputfile.h"
#include "par2parallel.h"

#include <QFile>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr qsizetype BatchBytes = 16 * 1024 * 1024; // known slices read before the cores take them
constexpr qsizetype FactorBytes = 16 * 1024 * 1024; // the batch's multipliers, one per slice and recovery slice
// A strip is worked in tiles small enough that a recovery slice's tile stays in the first-level
// cache while every known slice of the batch is added into it.
constexpr qsizetype TileBytes = 16 * 1024;
// The system's matrices take some n² words each: beyond this many missing slices they alone
// would outgrow any sensible memory.
constexpr qsizetype MaxMissing = 4096;

/** One slice of the set: which file, which slice of it. */
struct SliceRef
{
    qsizetype file = 0;
    qint64 slice = 0;
};

/** A known slice's bytes of the strip in the batch buffer, with its constant's logarithm. */
struct Piece
{
    quint32 log = 0;
    qsizetype at = 0;
    qsizetype size = 0; ///< even: an odd last byte is completed with a zero
};

/** One repair: the slices known and missing, the solution, the files being rebuilt. */
class SetRepair
{
public:
    SetRepair(const Par2Set &set, const Par2Verification &check, quint64 budget)
        : m_set(set)
        , m_check(check)
        , m_budget(budget)
    {
    }
    Par2RepairResult run();

private:
    QString plan();
    bool openOutputs();
    quint64 stripWidth() const;
    bool repairStrip(quint64 begin, quint64 width);
    bool loadRecovery(quint64 begin, quint64 width, uchar *syndromes);
    bool addKnown(quint64 begin, quint64 width, uchar *syndromes);
    bool readPiece(QFile &file, SliceRef ref, quint64 begin, qint64 size, char *into);
    void addBatch(const QByteArray &buffer, const QList<Piece> &pieces, quint64 width, uchar *syndromes) const;
    bool writeRebuilt(quint64 begin, quint64 width, const uchar *syndromes);
    Par2RepairResult commit();
    quint64 bytesInFile(SliceRef ref) const;
    quint32 log(SliceRef ref) const { return m_logs[m_set.files[ref.file].firstSlice + ref.slice]; }
    QString path(qsizetype file) const { return m_check.files[file].path; }
    bool fail(const QString &error);

    const Par2Set &m_set;
    const Par2Verification &m_check;
    quint64 m_budget;
    QList<SliceRef> m_missing;
    QList<SliceRef> m_known;
    QList<quint32> m_logs; // of every slice's constant
    std::optional<Par2Solution> m_solution;
    std::vector<std::unique_ptr<Par2OutputFile>> m_outputs; // per file; none for a whole one
    QString m_error;
};

Par2RepairResult SetRepair::run()
{
    if (m_check.isWhole())
        return {};
    if (const QString why = plan(); !why.isEmpty())
        return {{}, why};
    if (!openOutputs())
        return {{}, m_error};
    const quint64 width = stripWidth();
    for (quint64 begin = 0; begin < m_set.sliceSize; begin += width) {
        if (!repairStrip(begin, std::min(width, m_set.sliceSize - begin)))
            return {{}, m_error};
    }
    return commit();
}

QString SetRepair::plan()
{
    for (qsizetype f = 0; f < m_set.files.size(); ++f) {
        const Par2FileCheck &check = m_check.files[f];
        if (check.state != Par2FileCheck::State::Whole && !check.refusal.isEmpty())
            return QStringLiteral("%1: %2").arg(check.name(), check.refusal);
        for (qint64 s = 0; s < m_set.files[f].sliceCount; ++s)
            (check.goodSlices[s] ? m_known : m_missing).append({f, s});
    }
    if (m_missing.size() > m_set.recovery.size())
        return QStringLiteral("not repairable: %1").arg(par2BlocksText(m_check));
    if (m_missing.size() > MaxMissing)
        return QStringLiteral("%1 blocks to rebuild: more than %2 at once").arg(m_missing.size()).arg(MaxMissing);
    m_logs = Gf16::sliceConstantLogs(int(m_set.sliceTotal()));
    QList<quint32> missingLogs;
    for (const SliceRef &ref : m_missing)
        missingLogs.append(log(ref));
    QList<quint32> exponents;
    for (const Par2RecoveryBlock &block : m_set.recovery)
        exponents.append(block.exponent);
    m_solution = par2Solve(missingLogs, exponents);
    return m_solution ? QString()
                      : QStringLiteral("not repairable: the recovery slices do not solve for the missing ones");
}

bool SetRepair::openOutputs()
{
    for (const Par2FileCheck &check : m_check.files) {
        m_outputs.push_back(nullptr);
        if (check.state == Par2FileCheck::State::Whole)
            continue;
        m_outputs.back() = std::make_unique<Par2OutputFile>(check.path);
        if (!m_outputs.back()->open())
            return fail(m_outputs.back()->error());
    }
    return true;
}

// Two strips of every missing slice are held: the recovery slices less what the known slices
// give, and the rebuilt bytes.
quint64 SetRepair::stripWidth() const
{
    const quint64 fits = m_budget / quint64(2 * std::max<qsizetype>(1, m_missing.size())) / 64 * 64;
    return std::min(m_set.sliceSize, std::max<quint64>(64, fits));
}

bool SetRepair::repairStrip(quint64 begin, quint64 width)
{
    QByteArray syndromes(qsizetype(width) * m_missing.size(), '\0');
    uchar *rows = reinterpret_cast<uchar *>(syndromes.data());
    return loadRecovery(begin, width, rows) && addKnown(begin, width, rows) && writeRebuilt(begin, width, rows);
}

bool SetRepair::loadRecovery(quint64 begin, quint64 width, uchar *syndromes)
{
    for (int r = 0; r < m_solution->size(); ++r) {
        const auto block = std::find_if(m_set.recovery.cbegin(), m_set.recovery.cend(),
                                        [&](const auto &b) { return b.exponent == m_solution->exponents[r]; });
        QFile file(block->path);
        char *into = reinterpret_cast<char *>(syndromes + quint64(r) * width);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(block->offset + qint64(begin))
            || file.read(into, qint64(width)) != qint64(width))
            return fail(QStringLiteral("Cannot read %1: %2").arg(block->path, file.errorString()));
    }
    return true;
}

// The known slices, in batches, each subtracted (added, in this field) with its factor from
// every recovery strip; the good slices of a damaged file also go to its new copy.
bool SetRepair::addKnown(quint64 begin, quint64 width, uchar *syndromes)
{
    const qsizetype factors = qsizetype(sizeof(Gf16Multiplier)) * std::max<qsizetype>(1, m_missing.size());
    const qsizetype capacity = std::max<qsizetype>(1, std::min(BatchBytes / qsizetype(width), FactorBytes / factors));
    QByteArray buffer(capacity * qsizetype(width), Qt::Uninitialized);
    QList<Piece> pieces;
    QFile file;
    for (const SliceRef &ref : m_known) {
        // With nothing to solve for, only the good slices of damaged files are wanted, for their copies.
        if (bytesInFile(ref) <= begin || (m_missing.isEmpty() && !m_outputs[ref.file]))
            continue;
        const qint64 size = qint64(std::min(width, bytesInFile(ref) - begin));
        const qsizetype at = pieces.size() * qsizetype(width);
        if (!readPiece(file, ref, begin, size, buffer.data() + at))
            return false;
        if (size % 2)
            buffer[at + size] = '\0';
        pieces.append({log(ref), at, qsizetype(size + size % 2)});
        if (pieces.size() == capacity) {
            addBatch(buffer, pieces, width, syndromes);
            pieces.clear();
        }
    }
    addBatch(buffer, pieces, width, syndromes);
    return true;
}

bool SetRepair::readPiece(QFile &file, SliceRef ref, quint64 begin, qint64 size, char *into)
{
    if (file.fileName() != path(ref.file)) {
        file.close();
        file.setFileName(path(ref.file));
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("Cannot read %1: %2").arg(file.fileName(), file.errorString()));
    }
    const quint64 offset = quint64(ref.slice) * m_set.sliceSize + begin;
    if (!file.seek(qint64(offset)) || file.read(into, size) != size)
        return fail(QStringLiteral("Cannot read %1: it changed while being read").arg(file.fileName()));
    Par2OutputFile *copy = m_outputs[ref.file].get();
    return !copy || copy->writeAt(offset, QByteArrayView(into, size)) || fail(copy->error());
}

void SetRepair::addBatch(const QByteArray &buffer, const QList<Piece> &pieces, quint64 width, uchar *syndromes) const
{
    const auto *source = reinterpret_cast<const uchar *>(buffer.constData());
    const QList<quint32> &exponents = m_solution->exponents;
    const qsizetype k = exponents.size();
    std::vector<Gf16Multiplier> factors; // piece by piece, one per recovery slice
    factors.reserve(std::size_t(pieces.size() * k));
    for (const Piece &piece : pieces)
        for (const quint32 exponent : exponents)
            factors.emplace_back(Gf16::powerOfTwo(quint64(piece.log) * exponent));
    par2InParallel(qsizetype(width), [&](qsizetype lo, qsizetype hi) {
        for (qsizetype tile = lo; tile < hi; tile += TileBytes) {
            const qsizetype tileEnd = std::min(hi, tile + TileBytes);
            for (qsizetype r = 0; r < k; ++r)
                for (qsizetype p = 0; p < pieces.size(); ++p)
                    if (const qsizetype end = std::min(tileEnd, pieces[p].size); end > tile)
                        factors[std::size_t(p * k + r)].addProduct(syndromes + quint64(r) * width + tile,
                                                                   source + pieces[p].at + tile, end - tile);
        }
    });
}

bool SetRepair::writeRebuilt(quint64 begin, quint64 width, const uchar *syndromes)
{
    const int k = m_solution->size();
    QByteArray rebuilt(qsizetype(width) * k, '\0');
    auto *rows = reinterpret_cast<uchar *>(rebuilt.data());
    par2InParallel(qsizetype(width), [&](qsizetype lo, qsizetype hi) {
        for (int j = 0; j < k; ++j)
            for (int r = 0; r < k; ++r)
                if (const quint16 factor = m_solution->factor(j, r))
                    Gf16Multiplier(factor).addProduct(rows + quint64(j) * width + lo,
                                                      syndromes + quint64(r) * width + lo, hi - lo);
    });
    for (int j = 0; j < k; ++j) {
        const SliceRef ref = m_missing[j];
        if (bytesInFile(ref) <= begin)
            continue;
        const qsizetype size = qsizetype(std::min(width, bytesInFile(ref) - begin));
        Par2OutputFile &output = *m_outputs[ref.file];
        if (!output.writeAt(quint64(ref.slice) * m_set.sliceSize + begin,
                            QByteArrayView(rebuilt.constData() + quint64(j) * width, size)))
            return fail(output.error());
    }
    return true;
}

Par2RepairResult SetRepair::commit()
{
    Par2RepairResult result;
    for (qsizetype f = 0; f < m_set.files.size(); ++f) {
        if (!m_outputs[f])
            continue;
        const Par2FileDescription &description = m_set.files[f].description;
        if (m_outputs[f]->commit(description.length, description.md5))
            result.repaired.append(m_check.files[f].name());
        else if (result.error.isEmpty())
            result.error = m_outputs[f]->error();
    }
    return result;
}

quint64 SetRepair::bytesInFile(SliceRef ref) const
{
    const quint64 start = quint64(ref.slice) * m_set.sliceSize;
    return std::min(m_set.sliceSize, m_set.files[ref.file].description.length - start);
}

bool SetRepair::fail(const QString &error)
{
    m_error = error;
    return false;
}

} // namespace

Par2RepairResult repairPar2Set(const Par2Set &set, const Par2Verification &verification, quint64 memoryBudget)
{
    return SetRepair(set, verification, memoryBudget).run();
}
