// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rip run: from the queue to a finished set of zips.
#include "engine/riprun.h"

#include "engine/archivercommand.h"
#include "engine/basename.h"
#include "engine/estimate.h"
#include "engine/execcmd.h"
#include "engine/placement.h"
#include "engine/tempworkfolder.h"
#include "platform/datafolder.h"
#include "store/lineformat.h"
#include "store/storeresult.h"
#include "store/textformat.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString listFileLine(const QueueItem &row, bool storePaths)
{
    return row.isFolder() && storePaths ? row.fullPath() + QStringLiteral("/*") : row.fullPath();
}

// A run without a window: nothing to point at, hide or mirror.
class NoPresentation final : public RunPresentation
{
public:
    void setBusyPointer(bool) override { }
    void centrePointer() override { }
    void deselectBrowser() override { }
    void settingChanged(SettingKey) override { }
    void stepAside(bool) override { }
    void stepBack(bool) override { }
    void showAfterZipError(bool) override { }
    void showEstimate(const QString &) override { }
    void playCompletionSound() override { }
    void runEnded() override { }
};

RunPresentation &presentationOf(const RipHost &host)
{
    static NoPresentation none;
    return host.presentation ? *host.presentation : none;
}

} // namespace

RipEnvironment RipEnvironment::standard()
{
    return {::dataFolder(), defaultProgramFolders()};
}

RipRun::RipRun(const Queue &queue, RipSettings &settings, RipState &state, RipHost host, int step,
               RipEnvironment environment)
    : m_queue(queue)
    , m_settings(settings)
    , m_state(state)
    , m_questions(host.questions)
    , m_report(host.report)
    , m_presentation(presentationOf(host))
    , m_step(step)
    , m_env(std::move(environment))
{
}

RipRun::Outcome RipRun::run()
{
    m_result = {};
    const Outcome outcome = walk();
    m_leads.reset(); // zips begun and not finished go
    m_presentation.runEnded();
    return outcome;
}

RipRun::Outcome RipRun::walk()
{
    if (m_queue.totals().totalKB == 0 || m_state.ripInProgress)
        return Outcome::NotStarted;
    m_presentation.centrePointer();
    m_report.processEvents();
    m_savedTotals = m_report.totalsPanelText();
    m_presentation.deselectBrowser();
    if (!confirmDiz())
        return cancel();
    m_state.ripInProgress = true;
    m_state.zipAbortRequested = false;
    if (!askBaseName() || !checkSize() || !writeListFile() || !confirmReplace())
        return m_result.error.isError() ? fail() : cancel();
    // A stop signal is honoured before each step that makes something, not only while the archiver runs.
    if (stopRequested())
        return stop();
    if (!makeWorkFolder())
        return fail();
    if (stopRequested())
        return stop();

    m_presentation.setBusyPointer(true);
    m_presentation.stepAside(isTranslucent());
    m_report.processEvents();
    runArchiver();
    m_report.processEvents();
    m_presentation.stepBack(isTranslucent());
    if (stopRequested())
        return stop();
    if (!checkArchiver())
        return fail();
    if (isZipping(m_settings) && !zipVolumes())
        return stopRequested() ? stop() : zipError(m_zipErrorCode);
    return complete();
}

bool RipRun::stopRequested() const
{
    return !m_state.ripInProgress || m_report.stopRequested();
}

void RipRun::setError(RunError::Step step, const QString &message, const QString &path, int code)
{
    m_result.error = {step, message, path, code};
}

bool RipRun::confirmDiz()
{
    if (m_settings.warnings != 1 || m_queue.hasDiz())
        return true;
    const bool ok = m_questions.ask(Message::noDizInQueue()) == Message::Answer::Ok;
    m_report.processEvents();
    return ok;
}

bool RipRun::askBaseName()
{
    const int limit = BaseName::maxLength(m_state.over99, m_step);
    m_baseName = m_questions.askBaseName(limit);
    // The dialog only lets a good name through; a host that did not is refused here
    // rather than let a stray '/' or blank reach a file name.
    if (m_baseName.isEmpty() || m_baseName.size() > limit || !BaseName::hasValidCharacters(m_baseName)) {
        m_presentation.setBusyPointer(false);
        return false;
    }
    return true;
}

bool RipRun::checkSize()
{
    m_rar = m_settings.rarace == 1;
    m_settings.rarace = m_rar ? 1 : 0;
    m_presentation.settingChanged(SettingKey::Rarace);
    if (m_step == 0) {
        m_state.over99 = false;
        return true;
    }
    const float estimate = Estimate::runEstimate(m_queue.totals().totalKB, m_step);
    m_state.over99 = Estimate::isOver99(estimate, m_step);
    if (Estimate::isOver999(estimate, m_step)) {
        m_questions.ask(Message::tooManyFiles());
        return false;
    }
    return true;
}

bool RipRun::writeListFile()
{
    QStringList lines;
    for (const QueueItem &row : m_queue.items()) {
        if (row.isFolder() && m_settings.savepaths == 0) {
            m_report.processEvents();
            const Message::Answer answer = m_questions.ask(Message::folderFound());
            if (answer == Message::Answer::Cancel)
                return false;
            if (answer == Message::Answer::Yes) {
                m_settings.savepaths = 1;
                m_presentation.settingChanged(SettingKey::Savepaths);
            }
        }
        if (isArchivePlacement(row.in))
            lines << listFileLine(row, m_settings.savepaths != 0);
    }
    // A list that cannot be written leaves the last run's list in place: that one must never be packed.
    const QString listFile = m_env.dataFolder + QStringLiteral("/ripfiles.txt");
    const StoreResult written = writeWholeFile(listFile, joinLines(lines), QString());
    if (!written.ok)
        setError(RunError::Step::ListFile, QStringLiteral("ripfiles.txt could not be written: ") + written.detail,
                 listFile);
    return written.ok;
}

bool RipRun::confirmReplace()
{
    if (!isZipping(m_settings))
        return true;
    m_existingZips = existingSetZips(m_settings.riptodir, m_baseName);
    if (m_existingZips.isEmpty())
        return true;
    const Message question = Message::replaceZips(m_existingZips.first(), static_cast<int>(m_existingZips.size() - 1),
                                                  folderWithoutSlash(m_settings.riptodir));
    return m_questions.ask(question) == Message::Answer::Yes;
}

bool RipRun::makeWorkFolder()
{
    if (!isZipping(m_settings)) {
        m_workFolder = folderWithoutSlash(m_settings.riptodir);
        return true;
    }
    QString why;
    m_workFolder = TempWorkFolder::create(m_settings.tdrive, &why);
    if (m_workFolder.isEmpty())
        setError(RunError::Step::WorkFolder, QStringLiteral("No work folder could be made: ") + why, m_settings.tdrive);
    return !m_workFolder.isEmpty();
}

void RipRun::runArchiver()
{
    const VolumeNames names(m_rar, m_state.over99, m_step, 1);
    m_archivePath = folderWithSlash(m_workFolder) + m_baseName + names.firstExtension();
    const QString line =
        ArchiverCommand::commandLine(m_rar, m_step, m_settings.racomp, m_settings.savepaths, m_archivePath,
                                     m_env.dataFolder + QStringLiteral("/ripfiles.txt"));
    startProgress();
    m_finishedVolumes = m_plannedVolumes = 0;
    m_stage.reset();
    m_marker.reset();
    // Stored zips take their volume as it is; deflated ones are left whole to the zip stage.
    if (isZipping(m_settings) && ZipWriter::deflateLevel(m_settings.zipcomp) == 0)
        m_leads.emplace(m_settings.zcomment == 1 ? m_comment : QString());
    const QString growing = isZipping(m_settings) ? m_workFolder : folderWithoutSlash(m_settings.riptodir);
    ProcessWatch watch;
    watch.stopRequested = [this, growing] {
        m_progress->sampleArchive(growing, m_baseName, m_leads ? m_leads->takenSoFar() : std::pair<int, qint64>());
        noteFinishedVolumes();
        return stopRequested();
    };
    watch.outputLine = [this](const QByteArray &said) { takeArchiverLine(said); };
    m_archiver = ExecCmd(line, m_env.programFolders, watch);
}

// The archiver's count lets each zip be written whole as soon as its volume is. Anything else
// it prints is the host's to pass on: standard output may be read line by line.
void RipRun::takeArchiverLine(const QByteArray &line)
{
    if (const int planned = ArchiverCommand::plannedVolumes(line); planned > 0)
        m_plannedVolumes = planned;
    else if (!line.isEmpty())
        m_report.note(archiverName() + QStringLiteral(": ") + QString::fromLocal8Bit(line), RunReport::Note::Remark);
}

QString RipRun::archiverName() const
{
    return m_rar ? QStringLiteral("wrar") : QStringLiteral("wace");
}

// The archivers write one volume after another: one is whole once the next is begun.
void RipRun::noteFinishedVolumes()
{
    if (!m_leads)
        return;
    for (;;) {
        const int next = m_finishedVolumes + 2;
        const VolumeNames names(m_rar, m_state.over99, m_step, std::max(next, m_plannedVolumes));
        if (!QFileInfo::exists(volumePath(names, next)))
            return;
        const int finished = ++m_finishedVolumes;
        ZipPool::Job job;
        if (finished < m_plannedVolumes)
            job = prepareZip(zipStage(), names, dizMarker(), finished);
        job.zipPath = zipPath(names, finished);
        m_leads->volumeFinished(finished, volumePath(names, finished), std::move(job));
    }
}

// The archive stage is measured against the queue's bytes, the zip stage against its volumes.
void RipRun::startProgress()
{
    const RunProgressMeter meter(qint64(m_queue.totals().totalKB * 1024), isZipping(m_settings), m_settings.racomp != 0,
                                 ZipWriter::deflateLevel(m_settings.zipcomp) != 0);
    m_progress.emplace(m_report, meter, m_rar ? QStringLiteral("Rar") : QStringLiteral("Ace"));
}

// 0 goes on, 1 goes on with a warning naming what the archiver said; anything
// else, or no volume at all, is no set.
bool RipRun::checkArchiver()
{
    const ProcessOutcome &archiver = *m_archiver;
    const QString program = archiverName();
    if (isZipping(m_settings))
        m_volumeCount = countVolumes();
    QString reason;
    if (archiver.status == ProcessOutcome::Status::FailedToStart)
        reason = program + QStringLiteral(" could not be started: ") + archiver.errorText;
    else if (archiver.status != ProcessOutcome::Status::Finished)
        reason = program + QStringLiteral(" was ended by ") + archiver.errorText;
    else if (archiver.exitCode >= 2)
        reason = program + QStringLiteral(" ended with exit status %1").arg(archiver.exitCode);
    else if (isZipping(m_settings) && m_volumeCount == 0)
        reason = program + QStringLiteral(" wrote no volume");
    const QString said = archiver.reported.isEmpty() ? QString() : QStringLiteral("\r") + archiver.reported;
    if (reason.isEmpty() && archiver.exitCode == 1)
        m_result.warnings << program + QStringLiteral(" finished with warnings") + said;
    if (!reason.isEmpty())
        setError(RunError::Step::Archiver, QStringLiteral("The archiver failed: ") + reason + said, m_archivePath,
                 archiver.exitCode);
    return reason.isEmpty();
}

// What the archiver left in the work folder, and the volumes taken over into their zips from it.
int RipRun::countVolumes()
{
    if (m_leads)
        m_leads->stopBeginning(); // no volume moves while it is counted
    int count = static_cast<int>(QDir(m_workFolder).entryList(QDir::Files).size());
    const VolumeNames names(m_rar, m_state.over99, m_step, std::max(m_finishedVolumes, m_plannedVolumes));
    for (int i = 1; m_leads && i <= m_finishedVolumes; ++i)
        if (m_leads->takenSize(i) >= 0 && !QFileInfo::exists(volumePath(names, i)))
            ++count;
    return count;
}

bool RipRun::isTranslucent() const
{
    return isZipping(m_settings) && m_settings.layer == 1;
}
