// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rip run's volume walk and its three ends: complete, cancel, zip error.
#include "engine/riprun.h"

#include "engine/diznumbering.h"
#include "engine/estimate.h"
#include "engine/placement.h"
#include "par2/par2writer.h"
#include "store/textformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <numeric>

namespace {

const QString kNoProgress = QStringLiteral("0%");

} // namespace

// The zips are written side by side; everything shown, and the host's
// questions, stay on this thread, in volume order.
bool RipRun::zipVolumes()
{
    m_presentation.setBusyPointer(true);
    m_report.processEvents();
    m_zipChecksums.clear();
    if (!m_state.ripInProgress)
        return false;
    const VolumeNames names(m_rar, m_state.over99, m_step, m_volumeCount);
    ZipStage &stage = zipStage();
    std::vector<qint64> sizes;
    for (int i = 1; i <= m_volumeCount; ++i) {
        const qint64 taken = m_leads ? m_leads->takenSize(i) : -1;
        sizes.push_back(taken >= 0 ? taken : QFileInfo(volumePath(names, i)).size());
    }
    startRecoveryChecksums(sizes);
    m_progress->startZipping(std::move(sizes));
    // Begun zips leave only their small entries, and PAR2 checksums hash every zip: work for every core.
    const bool busyWorkers = m_leads.has_value() || m_recovery.sliceSize > 0;
    ZipPool pool(m_settings.zipcomp, m_settings.zcomment == 1 ? m_comment : QString(),
                 busyWorkers ? QThread::idealThreadCount() : ZipPool::workersFor(m_settings.zipcomp));
    const ZipPool::Outcome outcome = pool.run(m_volumeCount, zipHooks(stage, names, dizMarker()));
    m_leads.reset();
    keepRecoveryChecksums(names);
    m_result.warnings << stage.renamed();
    if (outcome.code != 0) {
        const QString zip = zipPath(names, outcome.index);
        setError(RunError::Step::Zip, zip + QStringLiteral(": ") + outcome.errorText, zip, outcome.code);
        m_zipErrorCode = outcome.code;
    } else if (!outcome.stopped) {
        m_result.warnings << stage.changedSources();
    }
    return outcome.code == 0 && !outcome.stopped;
}

// Made when the first zip is handed out, the sources it reads stamped then.
ZipStage &RipRun::zipStage()
{
    if (!m_stage) {
        m_stage.emplace(m_queue);
        m_stage->watchSources(numbersDiz(dizMarker()));
    }
    return *m_stage;
}

ZipPool::Hooks RipRun::zipHooks(ZipStage &stage, const VolumeNames &names, const DizNumbering::Marker &marker)
{
    ZipPool::Hooks hooks;
    hooks.prepare = [&, this](int i) {
        ZipPool::Job job = prepareZip(stage, names, marker, i);
        attachLead(job, i);
        if (m_recovery.sliceSize > 0)
            job.written = [this, i](const QString &zip) {
                m_zipSums[std::size_t(i - 1)] = par2ChecksumsOfFile(zip, m_recovery.sliceSize);
            };
        return job;
    };
    hooks.showing = [this](int i) { m_oldestZipOut = i; };
    hooks.progress = [this](int i, int percent) { m_progress->zipPercent(i, percent); };
    hooks.keepGoing = [this] {
        m_progress->tellZips(m_oldestZipOut);
        m_report.processEvents();
        return !m_state.zipAbortRequested && !m_report.stopRequested();
    };
    hooks.named = [&names, this](int i, quint32 crc) {
        m_zipChecksums.push_back({getfile(zipPath(names, i)), crc});
        QFile::remove(volumePath(names, i));
        m_report.processEvents();
        return m_state.ripInProgress || i == m_volumeCount;
    };
    return hooks;
}

// The zip begun while the archiver worked, when there is one and the zip is to be written.
// One written whole stays whole only when the archiver wrote the volumes it said it would.
void RipRun::attachLead(ZipPool::Job &job, int i)
{
    if (!m_leads)
        return;
    VolumeLeads::Taken taken = m_leads->take(i, m_volumeCount == m_plannedVolumes);
    if (taken.failure != 0 && job.failure == 0) {
        job.failure = taken.failure;
        job.failureText = taken.failureText;
    }
    job.lead = std::move(taken.lead);
    if (job.lead && job.failure != 0)
        ZipWriter::discard(*std::exchange(job.lead, std::nullopt));
}

// The slice size follows the volumes, which the zips hardly outgrow; the recovery files use the same.
void RipRun::startRecoveryChecksums(const std::vector<qint64> &volumeSizes)
{
    m_recovery = {};
    m_zipSums.assign(volumeSizes.size(), std::nullopt);
    if (m_takeRecovery)
        m_recovery.sliceSize =
            par2SliceSizeFor(quint64(std::accumulate(volumeSizes.begin(), volumeSizes.end(), qint64(0))));
}

// Read while each zip was still in the page cache, on the worker that wrote it.
void RipRun::keepRecoveryChecksums(const VolumeNames &names)
{
    for (int i = 1; i <= int(m_zipSums.size()); ++i)
        if (m_zipSums[std::size_t(i - 1)])
            m_recovery.byZip.insert(zipPath(names, i), *m_zipSums[std::size_t(i - 1)]);
    m_zipSums.clear();
}

const DizNumbering::Marker &RipRun::dizMarker()
{
    if (m_marker)
        return *m_marker;
    if (m_settings.dnumber != 1)
        return m_marker.emplace();
    const DizNumbering::Search search = DizNumbering::findMarker(m_queue.items());
    if (search.numberingFailed) {
        m_settings.dnumber = 0;
        m_presentation.settingChanged(SettingKey::Dnumber);
    }
    return m_marker.emplace(search.marker);
}

ZipPool::Job RipRun::prepareZip(ZipStage &stage, const VolumeNames &names, const DizNumbering::Marker &marker,
                                int i) const
{
    ZipVolume volume;
    volume.volumePath = volumePath(names, i);
    volume.zipPath = zipPath(names, i);
    volume.index = i;
    if (numbersDiz(marker))
        volume.dizStamp = DizNumbering::stamp(names.dizNumber(i), names.totalString());
    return stage.job(volume, marker);
}

QString RipRun::zipPath(const VolumeNames &names, int i) const
{
    return zipBaseName(m_settings.riptodir, m_baseName, names.numberString(i)) + QStringLiteral(".zip");
}

QString RipRun::volumePath(const VolumeNames &names, int i) const
{
    return folderWithSlash(m_workFolder) + names.volumeName(m_baseName, i);
}

// Old zips of the set's names that this run wrote no zip for. A complete set
// drops them; so does a run that ended after replacing some: old and new zips
// side by side would look like one whole set. A run that replaced nothing
// leaves the old set whole.
void RipRun::removeReplacedZips() const
{
    if (m_existingZips.isEmpty() || m_zipChecksums.empty())
        return;
    QSet<QString> written;
    for (const SfvFile::Line &zip : m_zipChecksums)
        written.insert(zip.name);
    for (const QString &old : m_existingZips)
        if (!written.contains(old))
            QFile::remove(folderWithSlash(m_settings.riptodir) + old);
}

// The volumes of a run that will not be zipped must not look like the start of a set.
void RipRun::removeWorkFolder() const
{
    if (const QString folder = tempWorkFolder(); !folder.isEmpty())
        QDir(folder).removeRecursively();
}

RipRun::Outcome RipRun::complete()
{
    m_report.setTotalsPanelText(m_savedTotals);
    if (m_settings.sound == 1)
        m_presentation.playCompletionSound();
    for (int i = 0; i < 3; ++i)
        m_report.processEvents();
    // Only an empty folder goes: anything the archiver left beside the volumes stays
    // for the start-up clean-up to look at, never silently deleted here.
    if (isZipping(m_settings) && !m_workFolder.isEmpty())
        QDir().rmdir(m_workFolder);
    if (isZipping(m_settings))
        removeReplacedZips();
    // The bar empties and shows the set's estimate again, as before the run.
    m_report.setProgress(0, kNoProgress);
    m_presentation.showEstimate(Estimate::displayText(m_queue.totals().totalKB, m_step));
    m_presentation.setBusyPointer(false);
    m_state.ripInProgress = false;
    m_result.outcome = m_result.warnings.isEmpty() ? Outcome::Complete : Outcome::CompleteWithWarnings;
    return m_result.outcome;
}

RipRun::Outcome RipRun::cancel()
{
    m_report.setTotalsPanelText(m_savedTotals);
    m_report.setProgress(0, kNoProgress);
    m_presentation.setBusyPointer(false);
    m_state.zipAbortRequested = false;
    m_state.ripInProgress = false;
    m_result.outcome = Outcome::Cancelled;
    return m_result.outcome;
}

RipRun::Outcome RipRun::stop()
{
    m_leads.reset();
    removeWorkFolder();
    removeReplacedZips();
    m_result.error = {}; // a zip the stop broke off is no error of the set
    m_result.stopped = true;
    return cancel();
}

RipRun::Outcome RipRun::fail()
{
    m_leads.reset();
    removeWorkFolder();
    removeReplacedZips();
    m_presentation.setBusyPointer(false);
    m_questions.ask(Message::runFailed(m_result.error.message));
    cancel();
    m_result.outcome = Outcome::Failed;
    return m_result.outcome;
}

RipRun::Outcome RipRun::zipError(int code)
{
    removeReplacedZips();
    m_presentation.showAfterZipError(m_settings.layer == 1);
    m_presentation.setBusyPointer(false);
    m_report.setProgress(0, kNoProgress);
    m_state.ripInProgress = false;
    m_questions.ask(Message::zipError(code));
    cancel();
    m_result.outcome = Outcome::Failed;
    return m_result.outcome;
}
