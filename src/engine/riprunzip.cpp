// Varko 2000 — the rip run's volume walk and its three ends: complete, cancel, zip error.
#include "engine/riprun.h"

#include "engine/diznumbering.h"
#include "engine/estimate.h"
#include "engine/placement.h"
#include "store/textformat.h"
#include "engine/zipstage.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {

const QString kNoProgress = QStringLiteral("0%");

} // namespace

bool RipRun::zipVolumes()
{
    m_host.setBusyPointer(true);
    m_host.processEvents();
    const VolumeNames names(m_rar, m_state.over99, m_step, m_volumeCount);
    m_writer.setCompression(m_settings.zipcomp);
    m_writer.setComment(m_settings.zcomment == 1 ? m_comment : QString());
    m_zipChecksums.clear();
    for (int i = 1; i <= m_volumeCount; ++i) {
        m_host.processEvents();
        if (!m_state.ripInProgress)
            return false;
        m_eventsClock.invalidate(); // the first progress of every zip lets events in
        if (const int code = zipOne(names, i)) {
            m_zipErrorCode = code;
            return false;
        }
        QFile::remove(folderWithSlash(m_workFolder) + names.volumeName(m_baseName, i));
        m_host.setProgress(0, kNoProgress);
    }
    return true;
}

int RipRun::zipOne(const VolumeNames &names, int i)
{
    DizNumbering::Marker marker;
    if (m_settings.dnumber == 1) {
        const DizNumbering::Search search = DizNumbering::findMarker(m_queue.items());
        marker = search.marker;
        if (search.numberingFailed) {
            m_settings.dnumber = 0;
            m_host.settingChanged(SettingKey::Dnumber);
        }
    }
    m_host.setTotalsPanelText(numberText(i) + QStringLiteral(" of") + numberText(m_volumeCount));

    ZipVolume volume;
    volume.volumePath = folderWithSlash(m_workFolder) + names.volumeName(m_baseName, i);
    volume.zipPath = zipBaseName(m_settings.riptodir, m_baseName, names.numberString(i)) + QStringLiteral(".zip");
    volume.index = i;
    if (m_settings.dnumber == 1 && marker.found)
        volume.dizStamp = DizNumbering::stamp(names.dizNumber(i), names.totalString());

    ZipStage stage(m_queue, m_writer, m_env.dataFolder + QStringLiteral("/file_id.diz"));
    const int code = stage.zipVolume(volume, marker);
    for (const QString &renamed : stage.renamed())
        if (!m_result.warnings.contains(renamed))
            m_result.warnings << renamed;
    if (code != 0)
        setError(RunError::Step::Zip, volume.zipPath + QStringLiteral(": ") + stage.errorText(), volume.zipPath, code);
    else
        m_zipChecksums.push_back({getfile(volume.zipPath), m_writer.lastZipCrc()});
    return code;
}

// Old zips of the set's names that the new set has no zip for: they go only
// now, when every new zip is complete, so a failed run leaves the old set whole.
void RipRun::removeReplacedZips() const
{
    if (m_existingZips.isEmpty())
        return;
    const VolumeNames names(m_rar, m_state.over99, m_step, m_volumeCount);
    QSet<QString> written;
    for (int i = 1; i <= m_volumeCount; ++i)
        written.insert(getfile(zipBaseName(m_settings.riptodir, m_baseName, names.numberString(i))) + QStringLiteral(".zip"));
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
    m_host.setTotalsPanelText(m_savedTotals);
    if (m_settings.sound == 1)
        m_host.playCompletionSound();
    for (int i = 0; i < 3; ++i)
        m_host.processEvents();
    // Only an empty folder goes: anything the archiver left beside the volumes stays
    // for the start-up clean-up to look at, never silently deleted here.
    if (isZipping(m_settings) && !m_workFolder.isEmpty())
        QDir().rmdir(m_workFolder);
    if (isZipping(m_settings))
        removeReplacedZips();
    m_host.setProgressText(Estimate::displayText(m_queue.totals().totalKB, m_step));
    m_host.setBusyPointer(false);
    m_state.ripInProgress = false;
    m_result.outcome = m_result.warnings.isEmpty() ? Outcome::Complete : Outcome::CompleteWithWarnings;
    return m_result.outcome;
}

RipRun::Outcome RipRun::cancel()
{
    m_host.setTotalsPanelText(m_savedTotals);
    m_host.setProgress(0, kNoProgress);
    m_host.setBusyPointer(false);
    m_state.zipAbortRequested = false;
    m_state.ripInProgress = false;
    m_result.outcome = Outcome::Cancelled;
    return m_result.outcome;
}

RipRun::Outcome RipRun::stop()
{
    removeWorkFolder();
    m_result.error = {}; // a zip the stop broke off is no error of the set
    m_result.stopped = true;
    return cancel();
}

RipRun::Outcome RipRun::fail()
{
    removeWorkFolder();
    m_host.setBusyPointer(false);
    m_host.ask(Message::runFailed(m_result.error.message));
    cancel();
    m_result.outcome = Outcome::Failed;
    return m_result.outcome;
}

RipRun::Outcome RipRun::zipError(int code)
{
    m_host.showAfterZipError(m_settings.layer == 1);
    m_host.setBusyPointer(false);
    m_host.setProgress(0, kNoProgress);
    m_state.ripInProgress = false;
    m_host.ask(Message::zipError(code));
    cancel();
    m_result.outcome = Outcome::Failed;
    return m_result.outcome;
}
