// Varko 2000 — the rip run: from the queue to a finished set of zips.
#include "engine/riprun.h"

#include "engine/archivercommand.h"
#include "engine/basename.h"
#include "platform/datafolder.h"
#include "engine/estimate.h"
#include "engine/execcmd.h"
#include "store/lineformat.h"
#include "engine/placement.h"
#include "store/storeresult.h"
#include "engine/tempworkfolder.h"
#include "store/textformat.h"


namespace {

constexpr qint64 kEventsIntervalMs = 15;

QString listFileLine(const QueueItem &row, bool storePaths)
{
    return row.isFolder() && storePaths ? row.fullPath() + QStringLiteral("/*") : row.fullPath();
}

} // namespace

RipEnvironment RipEnvironment::standard()
{
    return {::dataFolder(), defaultProgramFolders()};
}

RipRun::RipRun(const Queue &queue, RipSettings &settings, RipState &state, RipHost &host, int step,
               RipEnvironment environment)
    : m_queue(queue)
    , m_settings(settings)
    , m_state(state)
    , m_host(host)
    , m_step(step)
    , m_env(std::move(environment))
{
    m_writer.setCancelCheck([this] { return m_state.zipAbortRequested; });
    m_writer.setProgressHandler([this](int percent) {
        m_host.setProgress(percent, QString::number(percent) + u'%');
        // A floppy zip moves the bar every few microseconds; the window needs a look only about once a frame.
        if (!m_eventsClock.isValid() || m_eventsClock.hasExpired(kEventsIntervalMs)) {
            m_host.processEvents();
            m_eventsClock.start();
        }
    });
}

RipRun::Outcome RipRun::run()
{
    if (m_queue.totals().totalKB == 0 || m_state.ripInProgress)
        return Outcome::NotStarted;
    m_host.centrePointer();
    m_host.processEvents();
    m_savedTotals = m_host.totalsPanelText();
    m_host.deselectBrowser();
    if (!confirmDiz())
        return cancel();
    m_state.ripInProgress = true;
    m_state.zipAbortRequested = false;
    if (!askBaseName() || !checkSize() || !writeListFile())
        return cancel();

    m_host.setBusyPointer(true);
    m_host.stepAside(isTranslucent());
    m_host.processEvents();
    runArchiver();
    m_host.processEvents();
    m_host.stepBack(isTranslucent());

    if (isZipping(m_settings) && !zipVolumes())
        return m_zipErrorCode != 0 ? zipError(m_zipErrorCode) : cancel();
    return complete();
}

bool RipRun::confirmDiz()
{
    if (m_settings.warnings != 1 || m_queue.hasDiz())
        return true;
    const bool ok = m_host.ask(Message::noDizInQueue()) == Message::Answer::Ok;
    m_host.processEvents();
    return ok;
}

bool RipRun::askBaseName()
{
    const int limit = BaseName::maxLength(m_state.over99, m_step);
    m_baseName = m_host.askBaseName(limit);
    // The dialog only lets a good name through; a host that did not is refused here
    // rather than let a stray '/' or blank reach a file name.
    if (m_baseName.isEmpty() || m_baseName.size() > limit || !BaseName::hasValidCharacters(m_baseName)) {
        m_host.setBusyPointer(false);
        return false;
    }
    return true;
}

bool RipRun::checkSize()
{
    m_rar = m_settings.rarace == 1;
    m_settings.rarace = m_rar ? 1 : 0;
    m_host.settingChanged(SettingKey::Rarace);
    if (m_step == 0) {
        m_state.over99 = false;
        return true;
    }
    const float estimate = Estimate::runEstimate(m_queue.totals().totalKB, m_step);
    m_state.over99 = Estimate::isOver99(estimate, m_step);
    if (Estimate::isOver999(estimate, m_step)) {
        m_host.ask(Message::tooManyFiles());
        return false;
    }
    return true;
}

bool RipRun::writeListFile()
{
    QStringList lines;
    for (const QueueItem &row : m_queue.items()) {
        if (row.isFolder() && m_settings.savepaths == 0) {
            m_host.processEvents();
            const Message::Answer answer = m_host.ask(Message::folderFound());
            if (answer == Message::Answer::Cancel)
                return false;
            if (answer == Message::Answer::Yes) {
                m_settings.savepaths = 1;
                m_host.settingChanged(SettingKey::Savepaths);
            }
        }
        if (isArchivePlacement(row.in))
            lines << listFileLine(row, m_settings.savepaths != 0);
    }
    const QString listFile = m_env.dataFolder + QStringLiteral("/ripfiles.txt");
    const StoreResult written = writeWholeFile(listFile, joinLines(lines), QString());
    if (!written.ok)
        m_host.note(QStringLiteral("ripfiles.txt: ") + written.detail);
    return true;
}

void RipRun::runArchiver()
{
    if (isZipping(m_settings)) {
        m_workFolder = TempWorkFolder::create(m_settings.tdrive);
        if (m_workFolder.isEmpty()) {
            // Without its folder the archiver could only fail; the run then finds no volumes.
            m_host.note(QStringLiteral("no work folder could be made in ") + m_settings.tdrive);
            return;
        }
    } else {
        m_workFolder = folderWithoutSlash(m_settings.riptodir);
    }
    const VolumeNames names(m_rar, m_state.over99, m_step, 1);
    const QString archivePath = folderWithSlash(m_workFolder) + m_baseName + names.firstExtension();
    const QString line = ArchiverCommand::commandLine(m_rar, m_step, m_settings.racomp, m_settings.savepaths,
                                                      archivePath, m_env.dataFolder + QStringLiteral("/ripfiles.txt"));
    m_archiver = ExecCmd(line, m_env.programFolders);
    if (!m_archiver->succeeded())
        m_host.note(line + QStringLiteral(": ")
                    + (m_archiver->status == ProcessOutcome::Status::Finished
                           ? QStringLiteral("exit status %1").arg(m_archiver->exitCode)
                           : m_archiver->errorText));
}

bool RipRun::isTranslucent() const
{
    return isZipping(m_settings) && m_settings.layer == 1;
}
