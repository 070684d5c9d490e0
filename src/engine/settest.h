// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — proving a finished set whole: every zip, every member, the diz numbers, the .sfv, the archive.
#pragma once

#include "engine/copycensus.h"
#include "engine/setlocation.h"
#include "engine/volumenames.h"
#include "engine/volumesetreader.h"
#include "zip/zipreader.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

/** What the test found in one zip of the set. */
struct ZipCheck
{
    QString name; ///< the zip's file name
    QStringList faults; ///< "MEMBER: what is wrong", or what is wrong with the zip itself
};

/** The whole test's outcome. */
struct SetTestReport
{
    std::vector<ZipCheck> zips; ///< in volume order, missing ones included
    QStringList setFaults; ///< faults of the .sfv that belong to no zip of the set
    int archiveFiles = 0; ///< archived files read whole and matching their CRC
    qint64 zipBytes = 0; ///< bytes of the zips tested
    QString recovery; ///< for a faulty set, what the PAR2 files beside it say (recoveryVerdict); empty without them

    int faultCount() const;
};

/** One zip's line: "NAME: ok", or its name and every fault. */
QString zipCheckLine(const ZipCheck &zip);
/** The last line: the set whole, or how many faults, with the zips, files and bytes tested. */
QString setTestVerdict(const SetLocation &location, const SetTestReport &report);

/**
 * Tests the set at a location without changing any of its files: no zip
 * missing, every member of every zip matching its CRC, the numbered
 * file_id.diz copies reading 01/NN to NN/NN in order and alike but for that
 * number, every other member several zips hold alike in all of them, the
 * .sfv (when there is one) matching the zips, and the volumes inside joining
 * into a RAR or ACE set whose every file matches its CRC. The volumes stream from the
 * zips; nothing is extracted. A faulty set with PAR2 files beside it is checked against
 * them too, for whether they can mend it.
 */
class SetTest
{
public:
    explicit SetTest(SetLocation location);
    ~SetTest();

    /** Called after each zip, in volume order, with its check, its number and the count. */
    void setZipHandler(std::function<void(const ZipCheck &, int, int)> handler) { m_zipDone = std::move(handler); }

    SetTestReport run();

private:
    void plan();
    void planSfv();
    void findStamp(const ZipReader &zip, int number);
    void countCopies(const std::vector<int> &present);
    std::optional<CopyPrint> copyPrint(const ZipReader &zip, std::size_t member) const;
    std::optional<bool> archiveKind(const QString &volume, int number) const;
    ZipCheck checkZip(int i);
    void checkMembers(const ZipReader &zip, int i, ZipCheck &check);
    void checkVolume(const ZipReader &zip, std::size_t member, int i, ZipCheck &check);
    void checkDiz(const QByteArray &diz, int i, ZipCheck &check) const;
    void checkSfv(const QString &zipPath, ZipCheck &check);
    QString volumeName(int i) const;

    SetLocation m_location;
    std::function<void(const ZipCheck &, int, int)> m_zipDone;
    int m_count = 1;
    std::optional<VolumeNames> m_names; ///< known once a volume was found
    std::unique_ptr<VolumeSetReader> m_archive;
    qsizetype m_stampAt = -1; ///< where the diz copies hold their number; -1 when not numbered
    qsizetype m_numberAt = -1; ///< where they hold a number of any width, and its length
    qsizetype m_numberLength = 0;
    CopyCensus m_copies; ///< every zip's copies, counted before the first zip is checked
    QHash<QString, quint32> m_sfv; ///< zip name to CRC, from the .sfv, until checked
    bool m_haveSfv = false;
    SetTestReport m_report;
    ZipReader::Buffers m_buffers;
};
