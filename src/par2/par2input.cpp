// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the input files of a PAR 2.0 set: their identities, order and slices, and reading them.
#include "par2input.h"

#include "platform/plainfile.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr qint64 HeadSize = 16 * 1024;

// The order common clients sort File IDs in: as 128-bit little-endian numbers.
bool idBefore(const Par2Input &a, const Par2Input &b)
{
    const QByteArray &x = a.description.fileId;
    const QByteArray &y = b.description.fileId;
    for (int i = 15; i >= 0; --i) {
        if (x[i] != y[i])
            return uchar(x[i]) < uchar(y[i]);
    }
    return false;
}

// A pipe or a device is refused before it is opened, which could wait on it.
bool describe(const QString &path, const Par2FileChecksums *known, Par2Input *input, QString *error)
{
    const QString problem = plainFileProblem(path);
    if (!problem.isEmpty()) {
        *error = QStringLiteral("Cannot read %1").arg(problem);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    Par2FileDescription &d = input->description;
    input->path = path;
    d.name = QFileInfo(path).fileName().toUtf8();
    d.length = quint64(file.size());
    if (known && known->length != d.length) {
        *error = QStringLiteral("Cannot protect %1: it has changed since it was written").arg(path);
        return false;
    }
    if (known)
        input->checksums = *known;
    d.md5Head = known ? known->md5Head : QCryptographicHash::hash(file.read(HeadSize), QCryptographicHash::Md5);
    d.fileId = par2FileId(d.md5Head, d.length, d.name);
    return true;
}

} // namespace

qint64 Par2Input::sliceCount(quint64 sliceSize) const
{
    return qint64((description.length + sliceSize - 1) / sliceSize);
}

QList<Par2Input> par2Inputs(const QStringList &paths, quint64 sliceSize, const QHash<QString, Par2FileChecksums> &known,
                            QString *error)
{
    QList<Par2Input> inputs(paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const auto found = known.constFind(paths[i]);
        const bool usable = found != known.cend() && found->sliceSize == sliceSize;
        if (!describe(paths[i], usable ? &*found : nullptr, &inputs[i], error))
            return {};
    }
    std::sort(inputs.begin(), inputs.end(), idBefore);
    qint64 next = 0;
    for (Par2Input &input : inputs) {
        input.firstSlice = next;
        next += input.sliceCount(sliceSize);
    }
    return inputs;
}

Par2SliceReader::Par2SliceReader(const QList<Par2Input> &inputs, quint64 sliceSize, quint64 begin, quint64 end,
                                 qsizetype capacity, qsizetype maxPieces)
    : m_inputs(inputs)
    , m_sliceSize(sliceSize)
    , m_begin(begin)
    , m_end(end)
    , m_capacity(capacity)
    , m_maxPieces(maxPieces)
    , m_offset(begin)
{
}

// Moves to the next piece with bytes in it, past slices the range misses; false at the end.
bool Par2SliceReader::atPiece()
{
    while (m_file < m_inputs.size()) {
        const Par2Input &input = m_inputs[m_file];
        const quint64 start = quint64(m_slice) * m_sliceSize;
        if (m_slice < input.sliceCount(m_sliceSize)
            && start + m_offset < std::min(start + m_end, input.description.length))
            return true;
        m_offset = m_begin;
        if (++m_slice >= input.sliceCount(m_sliceSize)) {
            m_slice = 0;
            ++m_file;
        }
    }
    return false;
}

// Pieces are laid out at multiples of 4 and, when one follows another in the file and in the
// buffer, read with it.
bool Par2SliceReader::next(Par2Batch *batch, QString *error)
{
    batch->pieces.clear();
    if (batch->buffer.size() != m_capacity)
        batch->buffer = QByteArray(m_capacity, Qt::Uninitialized);
    char *buffer = batch->buffer.data();
    qsizetype used = 0;
    qsizetype runAt = 0, runFile = -1;
    quint64 runPosition = 0, runBytes = 0;
    while (batch->pieces.size() < m_maxPieces && atPiece()) {
        const Par2Input &input = m_inputs[m_file];
        const quint64 start = quint64(m_slice) * m_sliceSize;
        const quint64 position = start + m_offset;
        const quint64 stop = std::min(start + m_end, input.description.length);
        const qsizetype at = (used + 3) / 4 * 4;
        quint64 bytes = std::min<quint64>(stop - position, quint64(std::max<qsizetype>(0, m_capacity - at)));
        if (bytes < stop - position)
            bytes &= ~quint64(3);
        if (bytes == 0)
            break;
        if (runFile != m_file || runPosition + runBytes != position || runAt + qsizetype(runBytes) != at) {
            if (runFile >= 0 && !read(runFile, runPosition, buffer + runAt, qint64(runBytes), error))
                return false;
            runFile = m_file, runPosition = position, runAt = at, runBytes = 0;
        }
        runBytes += bytes;
        batch->pieces.append(
            {m_file, input.firstSlice + m_slice, m_offset, QByteArrayView(buffer + at, qsizetype(bytes))});
        used = at + qsizetype(bytes);
        m_offset += bytes;
    }
    if (runFile >= 0 && !read(runFile, runPosition, buffer + runAt, qint64(runBytes), error))
        return false;
    return !batch->pieces.isEmpty();
}

bool Par2SliceReader::read(qsizetype file, quint64 position, char *into, qint64 bytes, QString *error)
{
    const Par2Input &input = m_inputs[file];
    if (m_openFile != file) {
        m_open.close();
        m_open.setFileName(input.path);
        m_openFile = file;
        if (!m_open.open(QIODevice::ReadOnly | QIODevice::Unbuffered)
            || quint64(m_open.size()) != input.description.length) {
            *error = QStringLiteral("Cannot read %1: it is gone or has changed").arg(input.path);
            return false;
        }
    }
    if ((m_open.pos() == qint64(position) || m_open.seek(qint64(position))) && m_open.read(into, bytes) == bytes)
        return true;
    *error = QStringLiteral("Cannot read %1: %2").arg(input.path, m_open.errorString());
    return false;
}
