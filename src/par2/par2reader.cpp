// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — reading a PAR 2.0 set back from its files: what it protects and where its recovery slices lie.
#include "par2reader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

constexpr qint64 MaxInputSlices = 32768; // the number of usable slice constants
// Far beyond any slice a writer picks (ours stay near a thousandth of the set); a larger one
// is a damaged or hostile main packet.
constexpr quint64 MaxSliceSize = quint64(1) << 30;
constexpr qint64 ChunkSize = 1024 * 1024;
constexpr qint64 SearchSize = 64 * 1024; // the next magic is mostly where the last packet ended
// Main, description and checksum packets are small (32,768 slices take 640 KiB); a larger
// one of those types is not read into memory.
constexpr quint64 MaxHeldPacket = 16 * 1024 * 1024;

const QRegularExpression &par2Name()
{
    static const QRegularExpression name(QStringLiteral("^(.+?)(\\.vol\\d+\\+\\d+)?\\.par2$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return name;
}

/** The intact packets of one recovery set, as found in any of its files. */
struct Found
{
    QByteArray mainBody;
    QHash<QByteArray, Par2FileDescription> descriptions;
    QHash<QByteArray, QByteArray> checksums;
    QList<Par2RecoveryBlock> recovery;
    QList<quint64> recoveryLengths; ///< packet lengths, checked once the slice size is known
};

/** Walks one file packet by packet, scanning past damage for the next magic. */
class PacketScanner
{
public:
    PacketScanner(const QString &path, QHash<QByteArray, Found> &sets, QList<QByteArray> &order);
    void scan();

private:
    qint64 findMagic(qint64 from);
    bool readPacket(qint64 at);
    bool intact(const Par2PacketHeader &header, QByteArray *body);
    void take(qint64 at, const Par2PacketHeader &header, const QByteArray &body);

    QFile m_file;
    qint64 m_size = 0;
    QHash<QByteArray, Found> &m_sets;
    QList<QByteArray> &m_order; // set IDs in the order their main packets came
    QByteArray m_chunk;
};

PacketScanner::PacketScanner(const QString &path, QHash<QByteArray, Found> &sets, QList<QByteArray> &order)
    : m_file(path)
    , m_sets(sets)
    , m_order(order)
{
}

void PacketScanner::scan()
{
    if (!QFileInfo(m_file.fileName()).isFile() || !m_file.open(QIODevice::ReadOnly))
        return;
    m_size = m_file.size();
    for (qint64 at = findMagic(0); at >= 0;) {
        if (readPacket(at))
            at = findMagic(at + qint64(par2ReadInteger(m_chunk, 8, 8)));
        else
            at = findMagic(at + 1);
    }
}

qint64 PacketScanner::findMagic(qint64 from)
{
    const qsizetype magic = par2Magic().size();
    for (qint64 at = from; at + Par2HeaderSize <= m_size; at += SearchSize - magic) {
        if (!m_file.seek(at))
            return -1;
        m_chunk = m_file.read(SearchSize);
        const qsizetype found = QByteArrayView(m_chunk).indexOf(par2Magic());
        if (found >= 0)
            return at + found;
        if (m_chunk.size() < SearchSize)
            return -1;
    }
    return -1;
}

// Leaves the header's bytes at the start of m_chunk, which scan() takes the length from.
bool PacketScanner::readPacket(qint64 at)
{
    if (!m_file.seek(at))
        return false;
    m_chunk = m_file.read(Par2HeaderSize);
    const std::optional<Par2PacketHeader> header = par2ParseHeader(m_chunk);
    if (!header || header->length > quint64(m_size - at))
        return false;
    QByteArray body;
    if (!intact(*header, &body))
        return false;
    take(at, *header, body);
    return true;
}

// The packet's MD5 over set ID, type and body, read in chunks from just after the header; a small packet's body is
// kept.
bool PacketScanner::intact(const Par2PacketHeader &header, QByteArray *body)
{
    const qint64 bodySize = qint64(header.length) - Par2HeaderSize;
    const bool hold = header.type != Par2Type::recoverySlice() && quint64(bodySize) <= MaxHeldPacket;
    QCryptographicHash md5(QCryptographicHash::Md5);
    md5.addData(header.setId);
    md5.addData(header.type);
    for (qint64 done = 0; done < bodySize;) {
        const QByteArray chunk = m_file.read(std::min(ChunkSize, bodySize - done));
        if (chunk.isEmpty())
            return false;
        md5.addData(chunk);
        if (hold)
            body->append(chunk);
        done += chunk.size();
    }
    return md5.result() == header.md5;
}

void PacketScanner::take(qint64 at, const Par2PacketHeader &header, const QByteArray &body)
{
    Found &set = m_sets[header.setId];
    if (header.type == Par2Type::main() && set.mainBody.isEmpty()) {
        set.mainBody = body;
        m_order.append(header.setId);
    } else if (header.type == Par2Type::fileDescription()) {
        if (const std::optional<Par2FileDescription> file = par2ParseFileDescription(body))
            set.descriptions.insert(file->fileId, *file);
    } else if (header.type == Par2Type::sliceChecksums()) {
        if (const std::optional<Par2SliceChecksums> sums = par2ParseSliceChecksums(body))
            set.checksums.insert(sums->fileId, sums->checksums);
    } else if (header.type == Par2Type::recoverySlice() && header.length >= quint64(Par2HeaderSize + 4)) {
        if (!m_file.seek(at + Par2HeaderSize))
            return;
        const quint32 exponent = quint32(par2ReadInteger(m_file.read(4), 0, 4));
        set.recovery.append({m_file.fileName(), at + Par2HeaderSize + 4, exponent});
        set.recoveryLengths.append(header.length);
    }
}

// A name with a folder in it would reach outside the set's folder: not a set this program repairs.
bool safeName(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

QString describeFiles(const Found &found, const Par2Main &main, Par2Set &set)
{
    qint64 next = 0;
    for (const QByteArray &id : main.fileIds) {
        const auto description = found.descriptions.constFind(id);
        if (description == found.descriptions.cend())
            return QStringLiteral("no intact description of one of its files");
        if (!safeName(description->name))
            return QStringLiteral("names a file outside its folder: %1").arg(QString::fromUtf8(description->name));
        const quint64 slices = description->length / main.sliceSize + (description->length % main.sliceSize ? 1 : 0);
        if (slices > quint64(MaxInputSlices - next))
            return QStringLiteral("more than %1 slices").arg(MaxInputSlices);
        Par2SetFile file{*description, found.checksums.value(id), next, qint64(slices)};
        if (file.checksums.size() != file.sliceCount * 20)
            file.checksums.clear();
        next += file.sliceCount;
        set.files.append(file);
    }
    return {};
}

void keepRecovery(const Found &found, Par2Set &set)
{
    QSet<quint32> seen;
    for (qsizetype i = 0; i < found.recovery.size(); ++i) {
        const Par2RecoveryBlock &block = found.recovery[i];
        if (found.recoveryLengths[i] == Par2HeaderSize + 4 + set.sliceSize && !seen.contains(block.exponent)) {
            seen.insert(block.exponent);
            set.recovery.append(block);
        }
    }
    std::sort(set.recovery.begin(), set.recovery.end(),
              [](const Par2RecoveryBlock &a, const Par2RecoveryBlock &b) { return a.exponent < b.exponent; });
}

Par2Set failure(const QStringList &files, const QString &why)
{
    Par2Set set;
    set.par2Files = files;
    set.error = why;
    return set;
}

} // namespace

qint64 Par2Set::sliceTotal() const
{
    return files.isEmpty() ? 0 : files.last().firstSlice + files.last().sliceCount;
}

QString Par2Set::displayName() const
{
    return par2Files.isEmpty() ? QString() : QFileInfo(par2Files.first()).fileName();
}

QString par2BaseName(const QString &fileName)
{
    return par2Name().match(fileName).captured(1);
}

QStringList par2SetFiles(const QString &folder, const QString &base)
{
    QStringList main;
    QStringList volumes;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = par2Name().match(name);
        if (!match.hasMatch() || match.captured(1) != base)
            continue;
        (match.captured(2).isEmpty() ? main : volumes) << QDir(folder).filePath(name);
    }
    return main + volumes;
}

Par2Set readPar2Set(const QStringList &files)
{
    QHash<QByteArray, Found> sets;
    QList<QByteArray> order;
    for (const QString &path : files)
        PacketScanner(path, sets, order).scan();
    if (order.isEmpty())
        return failure(files, QStringLiteral("no intact main packet"));
    const Found &found = sets[order.first()];
    const std::optional<Par2Main> main = par2ParseMain(found.mainBody);
    if (!main || QCryptographicHash::hash(found.mainBody, QCryptographicHash::Md5) != order.first())
        return failure(files, QStringLiteral("no valid main packet"));
    if (main->sliceSize > MaxSliceSize)
        return failure(files,
                       QStringLiteral("slices of %1 bytes, more than %2").arg(main->sliceSize).arg(MaxSliceSize));
    Par2Set set;
    set.folder = QFileInfo(files.first()).absolutePath();
    set.par2Files = files;
    set.sliceSize = main->sliceSize;
    if (const QString why = describeFiles(found, *main, set); !why.isEmpty())
        return failure(files, why);
    keepRecovery(found, set);
    return set;
}
