// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rip run: from the queue to a finished set of zips.
#pragma once

#include "engine/diznumbering.h"
#include "engine/placement.h"
#include "engine/progressteller.h"
#include "engine/queue.h"
#include "engine/riphost.h"
#include "engine/ripstate.h"
#include "engine/runresult.h"
#include "engine/sfvfile.h"
#include "engine/volumeleads.h"
#include "engine/volumenames.h"
#include "engine/zipstage.h"
#include "par2/par2checksums.h"
#include "platform/processwait.h"
#include "store/ripsettings.h"
#include "zip/zippool.h"

#include <QHash>
#include <QStringList>

#include <optional>

/** The zips' PAR2 checksums, taken as each zip was finished, for one slice size. */
struct RecoveryChecksums
{
    quint64 sliceSize = 0; ///< 0: none were taken
    QHash<QString, Par2FileChecksums> byZip; ///< by the zip's path
};

/** Where a run finds its own files and the archivers. */
struct RipEnvironment
{
    QString dataFolder; ///< ripfiles.txt goes here
    QStringList programFolders; ///< searched for the archivers before PATH

    /** The program's data folder; the archivers in the installed helper folder, then beside the program. */
    static RipEnvironment standard();
};

/**
 * One press of "Pack It". Checks the queue, asks for the base name, writes
 * ripfiles.txt, runs the archiver once into a work folder and zips every
 * volume (or, with zipping off, lets the archiver write straight into the
 * rip-to folder). Reads the queue and never changes it or any queued file.
 * Everything it asks, reports and shows goes through the host; without a
 * window it shows nothing. A set that looks complete is
 * left only when the archiver ended well and every zip was written; zips of
 * the set's names already there are replaced only when the user agrees.
 *
 * Stopping: clearing `RipState::ripInProgress` (Close) or the host's
 * `stopRequested` ends the archiver at once (checked while it runs) or the
 * run at the next volume; the work folder goes and the run ends Cancelled
 * with `result().stopped`. `zipAbortRequested` (Escape) breaks off the zips
 * being written and takes the zip-error path. Every error but the zip error
 * is shown through the host as one message; the result holds it too.
 *
 * The run walks the queue's rows while it lets window events through, so
 * while `RipState::ripInProgress` is set nothing may change the queue, the
 * settings or the current script: the window refuses drops and disables the
 * commands that would, and the queue asserts it (see Queue::isLocked).
 */
class RipRun
{
public:
    using Outcome = RunResult::Outcome;

    /** `step` is the archive-size step 0 to 199 the window shows. */
    RipRun(const Queue &queue, RipSettings &settings, RipState &state, RipHost host, int step,
           RipEnvironment environment = RipEnvironment::standard());

    /** The zip comment's text (kept in memory only); attached while `zcomment` is 1. */
    void setZipComment(const QString &comment) { m_comment = comment; }

    /** Runs to one of the ends; `result()` then says how it went. */
    Outcome run();
    const RunResult &result() const { return m_result; }

    /** How the archiver ended; none when it was not run. */
    const std::optional<ProcessOutcome> &archiverOutcome() const { return m_archiver; }
    /** Volumes found in the work folder (0 with zipping off: they are not counted then). */
    int volumeCount() const { return m_volumeCount; }
    /** The `~VarkoNN` work folder this run made; empty with zipping off or when none was made. */
    QString tempWorkFolder() const { return isZipping(m_settings) ? m_workFolder : QString(); }
    /** The base name the run used. */
    const QString &baseName() const { return m_baseName; }
    /** Whether the zips' PAR2 checksums are taken as each zip is finished (recovery files will follow). */
    void takeRecoveryChecksums(bool take) { m_takeRecovery = take; }
    const RecoveryChecksums &recoveryChecksums() const { return m_recovery; }
    /** Every zip the run finished and its CRC-32 as it was written, in volume order. */
    const std::vector<SfvFile::Line> &zipChecksums() const { return m_zipChecksums; }

private:
    Outcome walk();
    bool confirmDiz();
    bool askBaseName();
    bool checkSize();
    bool writeListFile();
    bool confirmReplace();
    bool makeWorkFolder();
    void runArchiver();
    void startProgress();
    void noteFinishedVolumes();
    void takeArchiverLine(const QByteArray &line);
    QString archiverName() const;
    ZipStage &zipStage();
    int countVolumes();
    void attachLead(ZipPool::Job &job, int i);
    void startRecoveryChecksums(const std::vector<qint64> &volumeSizes);
    void keepRecoveryChecksums(const VolumeNames &names);
    bool checkArchiver();
    bool zipVolumes();
    ZipPool::Hooks zipHooks(ZipStage &stage, const VolumeNames &names, const DizNumbering::Marker &marker);
    const DizNumbering::Marker &dizMarker();
    bool numbersDiz(const DizNumbering::Marker &marker) const { return m_settings.dnumber == 1 && marker.found; }
    ZipPool::Job prepareZip(ZipStage &stage, const VolumeNames &names, const DizNumbering::Marker &marker, int i) const;
    QString zipPath(const VolumeNames &names, int i) const;
    QString volumePath(const VolumeNames &names, int i) const;
    void removeReplacedZips() const;
    void removeWorkFolder() const;
    bool stopRequested() const;
    void setError(RunError::Step step, const QString &message, const QString &path, int code = 0);
    Outcome complete();
    Outcome cancel();
    Outcome stop();
    Outcome fail();
    Outcome zipError(int code);
    bool isTranslucent() const;

    const Queue &m_queue;
    RipSettings &m_settings;
    RipState &m_state;
    RunQuestions &m_questions;
    RunReport &m_report;
    RunPresentation &m_presentation;
    int m_step;
    RipEnvironment m_env;
    QString m_comment;

    QString m_savedTotals;
    QString m_baseName;
    bool m_rar = true;
    QString m_workFolder;
    QString m_archivePath;
    QStringList m_existingZips; ///< zips of this set's names found before the archiver ran
    std::optional<ProcessOutcome> m_archiver;
    int m_volumeCount = 0;
    std::vector<SfvFile::Line> m_zipChecksums;
    int m_oldestZipOut = 0; ///< the volume the zip counter shows
    std::optional<ProgressTeller> m_progress; ///< from the archiver's start on
    std::optional<VolumeLeads> m_leads; ///< stored zips begun while the archiver works
    int m_finishedVolumes = 0; ///< volumes the archiver has moved on from
    int m_plannedVolumes = 0; ///< the volumes the archiver said it will write; 0 when it said nothing
    std::optional<ZipStage> m_stage; ///< from the first zip handed out on
    std::optional<DizNumbering::Marker> m_marker; ///< found once, when the first zip is handed out
    bool m_takeRecovery = false;
    RecoveryChecksums m_recovery;
    std::vector<std::optional<Par2FileChecksums>> m_zipSums; ///< by volume, each set by the worker that wrote its zip
    int m_zipErrorCode = 0;
    RunResult m_result;
};
