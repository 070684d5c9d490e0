// Varko 2000 — packing a rip script without a window: varko2000 --pack SCRIPT.v2k --name BASE.
#include "app/headlesspack.h"

#include "engine/basename.h"
#include "platform/datafolder.h"
#include "engine/estimate.h"
#include "app/headlesshost.h"
#include "store/optionsfile.h"
#include "engine/queuefiller.h"
#include "store/ripscript.h"
#include "engine/riprun.h"
#include "engine/sfvfile.h"
#include "store/storeresult.h"
#include "store/textformat.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char *const kUsage = "usage: varko2000 --pack SCRIPT.v2k --name BASE [--sfv]";

struct PackArguments
{
    QString script;
    QString name;
    bool sfv = false;
    bool ok = false;
};

PackArguments parseArguments(const QStringList &arguments)
{
    PackArguments parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (word == u"--pack" && hasValue && parsed.script.isNull())
            parsed.script = arguments.at(++i);
        else if (word == u"--name" && hasValue && parsed.name.isNull())
            parsed.name = arguments.at(++i);
        else if (word == u"--sfv")
            parsed.sfv = true;
        else
            return {};
    }
    parsed.ok = !parsed.script.isEmpty() && !parsed.name.isNull();
    return parsed;
}

// The name as the dialog would let it through, or why it would not.
QString nameProblem(const QString &name, int limit)
{
    if (name.isEmpty())
        return QStringLiteral("the base name is empty");
    if (!BaseName::hasValidCharacters(name))
        return Message::invalidBaseName().text;
    if (name.size() > limit)
        return QStringLiteral("the base name may have at most %1 characters for this set").arg(limit);
    return {};
}

QString commentText(const RipSettings &settings)
{
    if (settings.zcomment != 1 || settings.comment.isEmpty())
        return {};
    return QString::fromUtf8(readWholeFile(settings.comment).value_or(QByteArray()));
}

// Interim: the zips are read once more for their CRCs, until the zip writer
// hands each zip's CRC over as it writes it.
StoreResult writeSfvAfterRun(const RipSettings &settings, const RipState &state, int step, const RipRun &rip)
{
    const VolumeNames names(true, state.over99, step, rip.volumeCount());
    std::vector<SfvFile::Line> zips;
    for (int i = 1; i <= rip.volumeCount(); ++i) {
        const QString zip = zipBaseName(settings.riptodir, rip.baseName(), names.numberString(i)) + QStringLiteral(".zip");
        const std::optional<quint32> crc = SfvFile::fileCrc(zip);
        if (!crc)
            return StoreResult::failure({}, QStringLiteral("could not read %1 for the .sfv").arg(zip));
        zips.push_back({getfile(zip), *crc});
    }
    return SfvFile::write(settings.riptodir, rip.baseName(), zips);
}

} // namespace

bool isPackRequest(const QStringList &arguments)
{
    return arguments.contains(QStringLiteral("--pack"));
}

namespace {

// One headless packing, from the command line to the exit status.
class HeadlessPack
{
public:
    int run(const QStringList &arguments);

private:
    bool load(const QString &scriptPath);
    QString checkedName(const QString &typed);
    void removeWorkFolder(const QString &folder);
    int pack(const QString &name, bool sfv);

    QTextStream m_err{stderr};
    RipSettings m_settings;
    Queue m_queue;
    RipState m_state;
    int m_step = 0;
};

int HeadlessPack::run(const QStringList &arguments)
{
    const PackArguments parsed = parseArguments(arguments);
    if (!parsed.ok) {
        m_err << kUsage << Qt::endl;
        return BadArguments;
    }
    if (!load(parsed.script))
        return BadArguments;
    const QString name = checkedName(parsed.name);
    if (name.isEmpty())
        return BadArguments;
    return pack(name, parsed.sfv);
}

bool HeadlessPack::load(const QString &scriptPath)
{
    const StoreResult options = OptionsFile(dataFile(QStringLiteral("options.ini"))).loadOptions(m_settings, nullptr);
    if (!options.ok)
        m_err << "varko2000: " << options.detail << Qt::endl;
    ScriptRead script = readScript(scriptPath, m_settings, nullptr);
    if (!script.result.ok) {
        m_err << "varko2000: " << script.result.message.replace(QStringLiteral("\n\n"), QStringLiteral(": ")) << Qt::endl;
        return false;
    }
    m_step = m_settings.size;
    if (m_step < 0 || m_step > Estimate::kMaxStep) {
        m_err << "varko2000: the script's archive size " << m_step << " is outside 0 to 199" << Qt::endl;
        return false;
    }
    QueueFiller(m_queue, m_settings).addScriptRows(script.rowPaths);
    for (const QueueItem &row : m_queue.items())
        if (row.isNotFound())
            m_err << "varko2000: " << row.fullPath() << ": not found, left out" << Qt::endl;
    return true;
}

// A headless run is a whole start and shutdown: what a failed run leaves in
// its work folder would otherwise stay in the temporary folder for good.
void HeadlessPack::removeWorkFolder(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    if (QDir(folder).removeRecursively())
        m_err << "varko2000: removed the work folder " << folder << Qt::endl;
    else
        m_err << "varko2000: could not remove the work folder " << folder << Qt::endl;
}

// The name as the dialog would let it through; empty when it would not.
QString HeadlessPack::checkedName(const QString &typed)
{
    // The limit follows the estimate the run itself makes, so it fits the zip names.
    const float estimate = m_step == 0 ? 0.0f : Estimate::runEstimate(m_queue.totals().totalKB, m_step);
    m_state.over99 = Estimate::isOver99(estimate, m_step);
    const QString name = BaseName::lowered(typed);
    const QString problem = nameProblem(name, BaseName::maxLength(m_state.over99, m_step));
    if (problem.isEmpty())
        return name;
    m_err << "varko2000: " << problem << Qt::endl;
    return {};
}

int HeadlessPack::pack(const QString &name, bool sfv)
{
    if (m_queue.totals().totalKB == 0) {
        m_err << "varko2000: nothing to pack: the script queues nothing that exists" << Qt::endl;
        return RunEnded;
    }
    HeadlessHost host(name);
    host.setTotalsPanelText(m_queue.totals().panelText());
    RipRun rip(m_queue, m_settings, m_state, host, m_step);
    rip.setZipComment(commentText(m_settings));
    const RipRun::Outcome outcome = rip.run();
    removeWorkFolder(rip.tempWorkFolder());
    // The run itself never reads the archiver's status; a set it failed to make is no set.
    const std::optional<ProcessOutcome> &archiver = rip.archiverOutcome();
    const bool archiverFailed = archiver && (archiver->status != ProcessOutcome::Status::Finished || archiver->exitCode >= 2);
    if (outcome != RipRun::Outcome::Complete || archiverFailed) {
        m_err << "varko2000: the set was not made" << Qt::endl;
        return RunEnded;
    }
    if (sfv && !isZipping(m_settings)) {
        m_err << "varko2000: zipping is off: no .sfv, which lists zips" << Qt::endl;
    } else if (sfv) {
        const StoreResult written = writeSfvAfterRun(m_settings, m_state, m_step, rip);
        if (!written.ok) {
            m_err << "varko2000: " << written.detail << Qt::endl;
            return RunEnded;
        }
    }
    m_err << "varko2000: set complete" << Qt::endl;
    return PackedSet;
}

} // namespace

int runHeadlessPack(const QStringList &arguments)
{
    return HeadlessPack().run(arguments);
}
