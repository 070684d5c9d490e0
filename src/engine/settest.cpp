// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — proving a finished set whole: every zip, every member, the diz numbers, the .sfv, the archive.
#include "engine/settest.h"

#include "engine/diznumbering.h"
#include "engine/runsummary.h"
#include "engine/setrecovery.h"
#include "engine/sfvfile.h"
#include "store/storeresult.h"
#include "store/textformat.h"
#include "zip/crc32stream.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kDiz = QStringLiteral("file_id.diz");
constexpr qsizetype kDizLimit = 64 * 1024; // a diz is ten lines; more is not a diz

std::optional<std::size_t> memberIndex(const ZipReader &zip, const QString &name)
{
    for (std::size_t j = 0; j < zip.members().size(); ++j)
        if (zip.members()[j].name == name)
            return j;
    return std::nullopt;
}

// Reads a small member whole (up to kDizLimit); no value, and `error` set, when that failed.
std::optional<QByteArray> readSmall(const ZipReader &zip, std::size_t member, QString &error)
{
    QByteArray bytes;
    error = zip.read(member, [&bytes](const char *data, qsizetype size) {
        if (bytes.size() < kDizLimit)
            bytes.append(data, std::min(size, kDizLimit - bytes.size()));
    });
    return error.isEmpty() ? std::optional<QByteArray>(bytes) : std::nullopt;
}

} // namespace

int SetTestReport::faultCount() const
{
    qsizetype count = setFaults.size();
    for (const ZipCheck &zip : zips)
        count += zip.faults.size();
    return static_cast<int>(count);
}

SetTest::SetTest(SetLocation location)
    : m_location(std::move(location))
{
}

SetTest::~SetTest() = default;

SetTestReport SetTest::run()
{
    plan();
    for (int i = 1; i <= m_count; ++i) {
        m_report.zips.push_back(checkZip(i));
        if (m_zipDone)
            m_zipDone(m_report.zips.back(), i, m_count);
    }
    for (auto it = m_sfv.cbegin(); it != m_sfv.cend(); ++it)
        m_report.setFaults
            << QStringLiteral("%1: names %2, which is not there").arg(getfile(m_location.sfvPath()), it.key());
    if (m_archive)
        m_report.archiveFiles = m_archive->filesChecked();
    if (m_report.faultCount() > 0)
        m_report.recovery = recoveryVerdict(m_location);
    return m_report;
}

// The count, the numbering and the archive's kind come from the zips that
// read: a diz holding its own number says where the number stands and how
// many zips there are, a volume what they hold.
void SetTest::plan()
{
    const std::vector<int> present = m_location.presentZips();
    m_count = std::max(present.empty() ? 1 : present.back(), m_location.digits == 0 ? 1 : 2);
    std::optional<bool> rar;
    int dizTries = 3; // a set whose first diz copies carry no number is not numbered
    for (const int number : present) {
        if (rar && (m_stampAt >= 0 || dizTries == 0))
            break;
        const ZipReader zip(m_location.zipPath(number, m_count), &m_buffers);
        if (!zip.isOpen() || zip.members().empty())
            continue;
        if (m_stampAt < 0 && dizTries-- > 0)
            findStamp(zip, number);
        if (!rar)
            rar = archiveKind(zip.members().front().name, number);
    }
    countCopies(present);
    if (rar) {
        m_names.emplace(*rar, m_location.digits == 3, 1, m_count);
        m_archive = std::make_unique<VolumeSetReader>(*rar ? ArchiveFormat::Rar : ArchiveFormat::Ace);
    }
    planSfv();
}

void SetTest::findStamp(const ZipReader &zip, int number)
{
    const std::optional<std::size_t> member = memberIndex(zip, kDiz);
    QString error;
    const std::optional<QByteArray> diz = member ? readSmall(zip, *member, error) : std::nullopt;
    if (!diz || m_location.digits == 0)
        return;
    // The copies are compared but for their number whatever its width; it is
    // checked only where its width is the one the zips' names have.
    static const QRegularExpression stamp(QStringLiteral("(?<!\\d)(\\d{2,3})/(\\d{2,3})(?!\\d)"));
    for (const QRegularExpressionMatch &match : stamp.globalMatch(QString::fromLatin1(*diz))) {
        if (match.captured(1).toInt() != number)
            continue;
        const bool named =
            match.captured(1).size() == m_location.digits && match.captured(2).size() == m_location.digits;
        if (m_numberAt < 0 || named) {
            m_numberAt = match.capturedStart();
            m_numberLength = match.capturedLength();
        }
        if (named) {
            m_stampAt = match.capturedStart();
            m_count = std::max(m_count, match.captured(2).toInt());
            return;
        }
    }
}

// A zip's line is written when that zip is checked, so which copy of a member
// is the odd one must be known before the first: the directories say it,
// and the small diz.
void SetTest::countCopies(const std::vector<int> &present)
{
    for (const int number : present) {
        const ZipReader zip(m_location.zipPath(number, m_count), &m_buffers);
        for (std::size_t j = 0; j < zip.members().size(); ++j)
            if (const std::optional<CopyPrint> print = copyPrint(zip, j))
                m_copies.count(zip.members()[j].name, *print);
    }
}

// What every zip's copy of a member must share: its bytes, by the directory's
// CRC and size; for a numbered diz its text but for the number. No value for
// a diz that does not read, which is a fault of its own.
std::optional<CopyPrint> SetTest::copyPrint(const ZipReader &zip, std::size_t member) const
{
    const ZipReader::Member &copy = zip.members()[member];
    if (copy.name != kDiz || m_numberAt < 0 || copy.size > kDizLimit)
        return CopyPrint{copy.crc, copy.size};
    QString error;
    const std::optional<QByteArray> diz = readSmall(zip, member, error);
    if (!diz)
        return std::nullopt;
    const QByteArrayView text(*diz);
    const QByteArrayView before = text.first(std::min(m_numberAt, text.size()));
    const QByteArrayView after = text.sliced(std::min(m_numberAt + m_numberLength, text.size()));
    Crc32Stream crc;
    crc.add(before);
    crc.add(after);
    return CopyPrint{crc.value(), before.size() + after.size()};
}

// RAR or ACE, by the volume zip `number` holds first; no value for neither.
std::optional<bool> SetTest::archiveKind(const QString &volume, int number) const
{
    for (const bool rar : {true, false})
        if (VolumeNames(rar, m_location.digits == 3, 1, m_count).volumeName(m_location.baseName, number) == volume)
            return rar;
    return std::nullopt;
}

void SetTest::planSfv()
{
    if (!QFileInfo(m_location.sfvPath()).isFile())
        return;
    const std::optional<QByteArray> text = readWholeFile(m_location.sfvPath());
    const auto lines = text ? SfvFile::parse(*text) : std::nullopt;
    if (!lines) {
        m_report.setFaults << QStringLiteral("%1: not a readable SFV file").arg(getfile(m_location.sfvPath()));
        return;
    }
    for (const SfvFile::Line &line : *lines)
        m_sfv.insert(line.name, line.crc);
    m_haveSfv = true;
}

QString SetTest::volumeName(int i) const
{
    return m_names ? m_names->volumeName(m_location.baseName, i) : QString();
}

ZipCheck SetTest::checkZip(int i)
{
    const QString path = m_location.zipPath(i, m_count);
    ZipCheck check{getfile(path), {}};
    const bool present = QFileInfo(path).isFile();
    const ZipReader zip(path, &m_buffers);
    if (!present || !zip.isOpen()) {
        check.faults << (present ? zip.openProblem() : QStringLiteral("missing"));
        if (m_archive)
            m_archive->loseVolume();
        m_sfv.remove(check.name); // the zip's own line says it all
        return check;
    }
    m_report.zipBytes += QFileInfo(path).size();
    checkMembers(zip, i, check);
    checkSfv(path, check);
    return check;
}

// Every member is read whole, so the zip library or libdeflate checks its CRC.
void SetTest::checkMembers(const ZipReader &zip, int i, ZipCheck &check)
{
    const std::optional<std::size_t> volume = m_names ? memberIndex(zip, volumeName(i)) : std::nullopt;
    if (!volume) {
        check.faults << (m_names ? QStringLiteral("no volume %1 inside").arg(volumeName(i))
                                 : QStringLiteral("no volume of a RAR or ACE set inside"));
        if (m_archive)
            m_archive->loseVolume();
    }
    bool sawDiz = false;
    for (std::size_t j = 0; j < zip.members().size(); ++j) {
        const QString &name = zip.members()[j].name;
        QString error;
        if (volume && j == *volume) {
            checkVolume(zip, j, i, check);
        } else if (name == kDiz) {
            sawDiz = true;
            if (const std::optional<QByteArray> diz = readSmall(zip, j, error))
                checkDiz(*diz, i, check);
        } else {
            error = zip.read(j, [](const char *, qsizetype) {});
        }
        if (!error.isEmpty())
            check.faults << QStringLiteral("%1: %2").arg(name, error);
        else if (const std::optional<CopyPrint> print = copyPrint(zip, j); print && m_copies.isOdd(name, *print))
            check.faults << QStringLiteral("%1 differs from the other zips' copies").arg(name);
    }
    if (!sawDiz && m_stampAt >= 0)
        check.faults << QStringLiteral("%1: missing, the other zips number theirs").arg(kDiz);
}

void SetTest::checkVolume(const ZipReader &zip, std::size_t member, int i, ZipCheck &check)
{
    const QString name = zip.members()[member].name;
    m_archive->beginVolume();
    const QString error = zip.read(member, [this](const char *data, qsizetype size) { m_archive->feed(data, size); });
    if (error.isEmpty())
        m_archive->endVolume(i == m_count);
    for (const QString &fault : m_archive->takeFaults())
        check.faults << QStringLiteral("%1: %2").arg(name, fault);
    if (!error.isEmpty()) {
        check.faults << QStringLiteral("%1: %2").arg(name, error);
        m_archive->loseVolume();
    }
}

void SetTest::checkDiz(const QByteArray &diz, int i, ZipCheck &check) const
{
    if (m_stampAt < 0 || !m_names)
        return;
    const QByteArray expected = DizNumbering::stamp(m_names->dizNumber(i), m_names->totalString()).toLatin1();
    const QByteArray found = diz.mid(m_stampAt, expected.size());
    if (found != expected)
        check.faults << QStringLiteral("%1: reads \"%2\" where %3 belongs")
                            .arg(kDiz, QString::fromLatin1(found), QString::fromLatin1(expected));
}

void SetTest::checkSfv(const QString &zipPath, ZipCheck &check)
{
    const auto listed = m_sfv.constFind(check.name);
    if (listed == m_sfv.cend()) {
        if (m_haveSfv)
            check.faults << QStringLiteral("not listed in %1").arg(getfile(m_location.sfvPath()));
        return;
    }
    const std::optional<quint32> crc = SfvFile::fileCrc(zipPath);
    if (crc != *listed)
        check.faults << QStringLiteral("CRC %1, but %2 says %3")
                            .arg(crc ? crcText(*crc) : QStringLiteral("unreadable"), getfile(m_location.sfvPath()),
                                 crcText(*listed));
    m_sfv.erase(listed);
}

QString zipCheckLine(const ZipCheck &zip)
{
    if (zip.faults.isEmpty())
        return zip.name + QStringLiteral(": ok");
    return zip.name + QStringLiteral(": ") + zip.faults.join(QStringLiteral("; "));
}

QString setTestVerdict(const SetLocation &location, const SetTestReport &report)
{
    const QString size = countedNoun(qsizetype(report.zips.size()), QStringLiteral("zip"), QStringLiteral("zips"))
        + QStringLiteral(", ")
        + countedNoun(report.archiveFiles, QStringLiteral("archived file"), QStringLiteral("archived files"))
        + QStringLiteral(", %1 bytes").arg(report.zipBytes);
    const int faults = report.faultCount();
    if (faults == 0)
        return QStringLiteral("%1: the set is whole (%2)").arg(location.baseName, size);
    return QStringLiteral("%1: %2 found (%3)")
        .arg(location.baseName, countedNoun(faults, QStringLiteral("fault"), QStringLiteral("faults")), size);
}
