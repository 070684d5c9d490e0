// Varko 2000 — the rip run's volume walk and its three ends: complete, cancel, zip error.
#include "engine/riprun.h"

#include "engine/diznumbering.h"
#include "engine/estimate.h"
#include "engine/placement.h"
#include "store/textformat.h"
#include "engine/zipstage.h"

#include <QDir>
#include <QFile>

namespace {

const QString kNoProgress = QStringLiteral("0%");

} // namespace

bool RipRun::zipVolumes()
{
    m_host.setBusyPointer(true);
    m_host.processEvents();
    m_volumeCount = m_workFolder.isEmpty() ? 0 : static_cast<int>(QDir(m_workFolder).entryList(QDir::Files).size());
    if (m_volumeCount == 0)
        return false;
    const VolumeNames names(m_rar, m_state.over99, m_step, m_volumeCount);
    m_writer.setCompression(m_settings.zipcomp);
    m_writer.setComment(m_settings.zcomment == 1 ? m_comment : QString());
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
    if (code != 0)
        m_host.note(volume.zipPath + QStringLiteral(": ") + ZipWriter::errorText(code));
    return code;
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
    m_host.setProgressText(Estimate::displayText(m_queue.totals().totalKB, m_step));
    m_host.setBusyPointer(false);
    m_state.ripInProgress = false;
    return Outcome::Complete;
}

RipRun::Outcome RipRun::cancel()
{
    m_host.setTotalsPanelText(m_savedTotals);
    m_host.setProgress(0, kNoProgress);
    m_host.setBusyPointer(false);
    m_state.zipAbortRequested = false;
    m_state.ripInProgress = false;
    return Outcome::Cancelled;
}

RipRun::Outcome RipRun::zipError(int code)
{
    m_host.showAfterZipError(m_settings.layer == 1);
    m_host.setBusyPointer(false);
    m_host.setProgress(0, kNoProgress);
    m_state.ripInProgress = false;
    m_host.ask(Message::zipError(code));
    cancel();
    return Outcome::ZipError;
}
