// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the input files of a PAR 2.0 set: their identities, order and slices.
#include "par2input.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr qint64 HeadSize = 16 * 1024;
constexpr qint64 PieceSize = 1024 * 1024; // a multiple of 4: pieces keep whole words

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

bool describe(const QString &path, Par2Input *input, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    Par2FileDescription &d = input->description;
    input->path = path;
    d.name = QFileInfo(path).fileName().toUtf8();
    d.length = quint64(file.size());
    d.md5Head = QCryptographicHash::hash(file.read(HeadSize), QCryptographicHash::Md5);
    d.fileId = par2FileId(d.md5Head, d.length, d.name);
    return true;
}

} // namespace

qint64 Par2Input::sliceCount(quint64 sliceSize) const
{
    return qint64((description.length + sliceSize - 1) / sliceSize);
}

QList<Par2Input> par2Inputs(const QStringList &paths, quint64 sliceSize, QString *error)
{
    QList<Par2Input> inputs(paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (!describe(paths[i], &inputs[i], error))
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

bool readPar2Slices(const QList<Par2Input> &inputs, quint64 sliceSize, quint64 begin, quint64 end,
                    const std::function<void(const Par2SlicePiece &)> &visit, QString *error)
{
    QByteArray buffer(PieceSize, Qt::Uninitialized);
    for (qsizetype f = 0; f < inputs.size(); ++f) {
        const Par2Input &input = inputs[f];
        QFile file(input.path);
        if (!file.open(QIODevice::ReadOnly) || quint64(file.size()) != input.description.length) {
            *error = QStringLiteral("Cannot read %1: it is gone or has changed").arg(input.path);
            return false;
        }
        for (qint64 s = 0; s < input.sliceCount(sliceSize); ++s) {
            const quint64 start = quint64(s) * sliceSize;
            const quint64 sliceEnd = std::min(start + sliceSize, input.description.length);
            for (quint64 pos = start + begin; pos < std::min(start + end, sliceEnd);) {
                const qint64 want = qint64(std::min<quint64>(PieceSize, std::min(start + end, sliceEnd) - pos));
                if (!file.seek(qint64(pos)) || file.read(buffer.data(), want) != want) {
                    *error = QStringLiteral("Cannot read %1: %2").arg(input.path, file.errorString());
                    return false;
                }
                visit({f, input.firstSlice + s, pos - start, QByteArrayView(buffer.constData(), want),
                       pos + quint64(want) == sliceEnd});
                pos += quint64(want);
            }
        }
    }
    return true;
}
