// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — writing a PAR 2.0 recovery set over a list of files.
#include "par2writer.h"

#include "par2checksums.h"
#include "par2input.h"
#include "par2packet.h"
#include "par2recovery.h"
#include "par2volumeplan.h"
#include "platform/plainfile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <future>
#include <memory>
#include <vector>

namespace {

constexpr qint64 MaxInputSlices = 32768; // the number of usable slice constants
constexpr qsizetype ReadCapacity = 8 * 1024 * 1024; // per batch; one is read while another is computed

/** One run of the writer: the set, its volume files, and what has gone wrong. */
class SetWriter
{
public:
    SetWriter(QList<Par2Input> inputs, const QString &base, const Par2Options &options, int recoveryCount);
    bool write();
    QStringList files() const;
    const QString &error() const { return m_error; }
    void removeFiles();

private:
    quint64 stripWidth() const;
    bool openVolumes();
    bool createOutput(const QString &name, QFile *file);
    bool takeNames();
    bool computeStrip(quint64 begin, quint64 width, bool hashing);
    bool readInto(Par2RecoveryStrip *strip, Par2SliceReader *reader, bool hashing);
    void hash(const QList<Par2SlicePiece> &pieces, qsizetype fromFile, qsizetype toFile);
    bool writeStrip(const Par2RecoveryStrip &strip, quint64 begin);
    bool writeAt(qsizetype volume, quint64 offset, QByteArrayView bytes);
    bool finishVolumes();
    QByteArray criticalPackets() const;
    QByteArray packet(const QByteArray &type, const QByteArray &body) const;
    quint64 recoveryPacketSize() const { return Par2HeaderSize + 4 + m_sliceSize; }

    QList<Par2Input> m_inputs;
    QString m_base;
    quint64 m_sliceSize;
    quint64 m_memoryBudget;
    int m_recoveryCount;
    qint64 m_inputSlices;
    QByteArray m_setId;
    QByteArray m_mainBody;
    std::vector<std::unique_ptr<Par2FileDigest>> m_digests; // per input not yet hashed
    QList<Par2Volume> m_plan;
    std::vector<std::unique_ptr<QFile>> m_volumes;
    QList<std::pair<QString, QString>> m_outputs; // each file written: where it is, then the name it takes
    std::vector<std::unique_ptr<QCryptographicHash>> m_packetMd5; // per recovery slice
    QString m_error;
};

SetWriter::SetWriter(QList<Par2Input> inputs, const QString &base, const Par2Options &options, int recoveryCount)
    : m_inputs(std::move(inputs))
    , m_base(base)
    , m_sliceSize(options.sliceSize)
    , m_memoryBudget(options.memoryBudget)
    , m_recoveryCount(recoveryCount)
    , m_inputSlices(m_inputs.isEmpty() ? 0 : m_inputs.last().firstSlice + m_inputs.last().sliceCount(m_sliceSize))
    , m_plan(par2VolumePlan(base, recoveryCount))
{
    QList<QByteArray> ids;
    for (const Par2Input &input : m_inputs) {
        ids.append(input.description.fileId);
        m_digests.push_back(input.hashed() ? nullptr : std::make_unique<Par2FileDigest>(m_sliceSize));
    }
    m_mainBody = par2MainBody(m_sliceSize, ids);
    m_setId = QCryptographicHash::hash(m_mainBody, QCryptographicHash::Md5);
    for (int e = 0; e < recoveryCount; ++e) {
        m_packetMd5.push_back(std::make_unique<QCryptographicHash>(QCryptographicHash::Md5));
        m_packetMd5.back()->addData(m_setId + Par2Type::recoverySlice() + par2Integer(quint64(e), 4));
    }
}

// Strips of about equal widths, each as wide as the budget allows.
quint64 SetWriter::stripWidth() const
{
    const quint64 fits = std::max<quint64>(4, m_memoryBudget / quint64(m_recoveryCount) / 4 * 4);
    const quint64 strips = (m_sliceSize + fits - 1) / fits;
    return (m_sliceSize / strips + 3) / 4 * 4;
}

// The first pass reads the inputs whole when some still need their checksums, which take each
// slice's bytes in order; the other passes read only their strip of each slice.
bool SetWriter::write()
{
    if (!openVolumes())
        return false;
    const quint64 width = stripWidth();
    const bool hashing =
        std::any_of(m_inputs.cbegin(), m_inputs.cend(), [](const Par2Input &i) { return !i.hashed(); });
    for (quint64 begin = 0; begin < m_sliceSize; begin += width) {
        if (!computeStrip(begin, std::min(width, m_sliceSize - begin), hashing && begin == 0))
            return false;
    }
    return finishVolumes();
}

// Every file is written beside its name and takes it at the end, replacing a link there rather
// than writing through it; a name held by a folder, a pipe or a device is left to its owner.
bool SetWriter::openVolumes()
{
    for (const QString &name : files()) {
        if (holdsNonFile(name)) {
            m_error = QStringLiteral("Cannot write %1: something other than a file has the name").arg(name);
            return false;
        }
    }
    for (const Par2Volume &volume : m_plan) {
        m_volumes.push_back(std::make_unique<QFile>());
        if (!createOutput(volume.fileName, m_volumes.back().get()))
            return false;
    }
    return true;
}

bool SetWriter::createOutput(const QString &name, QFile *file)
{
    QString why;
    const QString beside = createBeside(*file, name, &why);
    if (beside.isEmpty())
        m_error = QStringLiteral("Cannot write %1").arg(why);
    else
        m_outputs.append({beside, name});
    return !beside.isEmpty();
}

bool SetWriter::takeNames()
{
    for (auto &[at, name] : m_outputs) {
        if (std::rename(QFile::encodeName(at).constData(), QFile::encodeName(name).constData()) != 0) {
            m_error = QStringLiteral("Cannot write %1: %2").arg(name, qt_error_string(errno));
            return false;
        }
        at = name;
    }
    return true;
}

bool SetWriter::computeStrip(quint64 begin, quint64 width, bool hashing)
{
    Par2RecoveryStrip strip(m_recoveryCount, m_inputSlices, begin, width);
    Par2SliceReader reader(m_inputs, m_sliceSize, hashing ? 0 : begin, hashing ? m_sliceSize : begin + width,
                           ReadCapacity, Par2RecoveryStrip::maxPieces(m_recoveryCount));
    if (!readInto(&strip, &reader, hashing))
        return false;
    for (qsizetype f = 0; hashing && f < m_inputs.size(); ++f) {
        if (m_digests[f])
            m_inputs[f].checksums = m_digests[f]->finish();
    }
    return writeStrip(strip, begin);
}

// While the cores compute one batch, other threads read the next and hash this one: the files
// of its first half on one, the others on another, since each file's digest takes its bytes in
// order but files are apart.
bool SetWriter::readInto(Par2RecoveryStrip *strip, Par2SliceReader *reader, bool hashing)
{
    Par2Batch current, next;
    bool more = reader->next(&current, &m_error);
    while (more) {
        auto ahead = std::async(std::launch::async, [&] { return reader->next(&next, &m_error); });
        const qsizetype middle = current.pieces[current.pieces.size() / 2].file;
        std::future<void> first, second;
        if (hashing) {
            first = std::async(std::launch::async, [&] { hash(current.pieces, 0, middle); });
            second = std::async(std::launch::async, [&] { hash(current.pieces, middle, m_inputs.size()); });
        }
        strip->add(current.pieces);
        if (hashing)
            first.get(), second.get();
        more = ahead.get();
        std::swap(current, next);
    }
    return m_error.isEmpty();
}

void SetWriter::hash(const QList<Par2SlicePiece> &pieces, qsizetype fromFile, qsizetype toFile)
{
    for (const Par2SlicePiece &piece : pieces) {
        if (piece.file >= fromFile && piece.file < toFile && m_digests[piece.file])
            m_digests[piece.file]->add(piece.bytes);
    }
}

bool SetWriter::writeStrip(const Par2RecoveryStrip &strip, quint64 begin)
{
    for (qsizetype v = 0; v < m_plan.size(); ++v) {
        for (int i = 0; i < m_plan[v].count; ++i) {
            const QByteArrayView bytes = strip.bytes(m_plan[v].first + i);
            m_packetMd5[m_plan[v].first + i]->addData(bytes);
            if (!writeAt(v, quint64(i) * recoveryPacketSize() + Par2HeaderSize + 4 + begin, bytes))
                return false;
        }
    }
    return true;
}

bool SetWriter::writeAt(qsizetype volume, quint64 offset, QByteArrayView bytes)
{
    QFile &file = *m_volumes[volume];
    if (file.seek(qint64(offset)) && file.write(bytes.data(), bytes.size()) == bytes.size())
        return true;
    m_error = QStringLiteral("Cannot write %1: %2").arg(m_plan[volume].fileName, file.errorString());
    return false;
}

// Each volume holds its recovery packets, their headers written once their MD5s are known,
// then the packets a reader needs to use them without the main file.
bool SetWriter::finishVolumes()
{
    const QByteArray critical = criticalPackets();
    for (qsizetype v = 0; v < m_plan.size(); ++v) {
        for (int i = 0; i < m_plan[v].count; ++i) {
            const int e = m_plan[v].first + i;
            const QByteArray header =
                par2Header(m_setId, Par2Type::recoverySlice(), 4 + m_sliceSize, m_packetMd5[e]->result());
            if (!writeAt(v, quint64(i) * recoveryPacketSize(), header + par2Integer(quint64(e), 4)))
                return false;
        }
        if (!writeAt(v, quint64(m_plan[v].count) * recoveryPacketSize(), critical))
            return false;
    }
    m_volumes.clear();
    QFile main;
    if (!createOutput(m_base + QStringLiteral(".par2"), &main))
        return false;
    if (main.write(critical) != critical.size()) {
        m_error = QStringLiteral("Cannot write %1: %2").arg(m_outputs.last().second, main.errorString());
        return false;
    }
    main.close();
    return takeNames();
}

QByteArray SetWriter::criticalPackets() const
{
    QByteArray bytes = packet(Par2Type::main(), m_mainBody);
    for (qsizetype f = 0; f < m_inputs.size(); ++f) {
        Par2FileDescription description = m_inputs[f].description;
        description.md5 = m_inputs[f].checksums.md5;
        bytes += packet(Par2Type::fileDescription(), par2FileDescriptionBody(description));
    }
    for (qsizetype f = 0; f < m_inputs.size(); ++f) {
        const QByteArray &id = m_inputs[f].description.fileId;
        bytes += packet(Par2Type::sliceChecksums(), par2SliceChecksumBody(id, m_inputs[f].checksums.slices));
    }
    return bytes + packet(Par2Type::creator(), par2CreatorBody());
}

QByteArray SetWriter::packet(const QByteArray &type, const QByteArray &body) const
{
    return par2Packet(m_setId, type, body);
}

QStringList SetWriter::files() const
{
    QStringList names{m_base + QStringLiteral(".par2")};
    for (const Par2Volume &volume : m_plan)
        names.append(volume.fileName);
    return names;
}

void SetWriter::removeFiles()
{
    m_volumes.clear();
    for (const auto &[at, name] : m_outputs)
        QFile::remove(at);
}

QString checkOptions(const QStringList &inputs, const Par2Options &options)
{
    if (inputs.isEmpty())
        return QStringLiteral("No files to protect");
    if (options.sliceSize == 0 || options.sliceSize % 4)
        return QStringLiteral("The slice size %1 is not a positive multiple of 4").arg(options.sliceSize);
    if (options.percent < 1 || options.percent > 100)
        return QStringLiteral("The redundancy %1% is not between 1 and 100").arg(options.percent);
    return {};
}

// An empty file has no slice to protect, and the common client takes one listed in a set for
// damaged: such files stay out of the set, as that client leaves them out of its own.
QStringList withoutEmptyFiles(const QStringList &inputs)
{
    QStringList kept;
    for (const QString &input : inputs) {
        const QFileInfo info(input);
        if (!info.isFile() || info.size() > 0)
            kept << input;
    }
    return kept;
}

} // namespace

Par2WriteResult writePar2(const QStringList &allInputs, const QString &base, const Par2Options &options)
{
    Par2WriteResult result;
    const QStringList inputs = withoutEmptyFiles(allInputs);
    result.error = checkOptions(inputs, options);
    if (!result.error.isEmpty())
        return result;
    const QList<Par2Input> set = par2Inputs(inputs, options.sliceSize, options.checksums, &result.error);
    if (set.isEmpty())
        return result;
    const qint64 slices = set.last().firstSlice + set.last().sliceCount(options.sliceSize);
    if (slices == 0 || slices > MaxInputSlices) {
        result.error = QStringLiteral("%1 input slices: a set needs 1 to %2; choose another slice size")
                           .arg(slices)
                           .arg(MaxInputSlices);
        return result;
    }
    SetWriter writer(set, base, options, int((slices * options.percent + 99) / 100));
    if (writer.write()) {
        result.files = writer.files();
        return result;
    }
    result.error = writer.error();
    writer.removeFiles();
    return result;
}

quint64 par2SliceSizeFor(quint64 totalBytes)
{
    const quint64 slice = std::max<quint64>(4096, totalBytes / 1000);
    return (slice + 3) / 4 * 4;
}
