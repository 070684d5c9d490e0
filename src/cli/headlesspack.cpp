// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — packing a rip script without a window: varko2000 --pack SCRIPT.v2k --name BASE.
#include "cli/headlesspack.h"

#include "cli/headlesshost.h"
#include "cli/headlesstest.h"
#include "engine/basename.h"
#include "engine/estimate.h"
#include "engine/packsession.h"
#include "engine/scriptopener.h"
#include "platform/datafolder.h"
#include "store/optionsfile.h"
#include "store/storeresult.h"

#include <QDir>
#include <QTextStream>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

const char *const kUsage =
    "usage: varko2000 --pack SCRIPT.v2k --name BASE [--replace] [--sfv] [--par2 PERCENT] [--test]\n"
    "                 [--progress=json | --quiet]";

struct PackArguments
{
    QString script;
    QString name;
    bool replace = false;
    bool sfv = false;
    int par2 = 0;
    bool test = false;
    bool json = false;
    bool quiet = false;
    bool ok = false;
};

// 1 to 100; -1 for anything else. More recovery data than the set itself buys nothing a copy would not.
int recoveryPercent(const QString &word)
{
    bool number = false;
    const int percent = word.toInt(&number);
    return number && percent >= 1 && percent <= 100 ? percent : -1;
}

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
        else if (word == u"--replace" && !parsed.replace)
            parsed.replace = true;
        else if (word == u"--sfv" && !parsed.sfv)
            parsed.sfv = true;
        else if (word == u"--par2" && hasValue && parsed.par2 == 0)
            parsed.par2 = recoveryPercent(arguments.at(++i));
        else if (word == u"--test" && !parsed.test)
            parsed.test = true;
        else if (word == u"--progress=json" && !parsed.json && !parsed.quiet)
            parsed.json = true;
        else if (word == u"--quiet" && !parsed.quiet && !parsed.json)
            parsed.quiet = true;
        else
            return {};
    }
    parsed.ok = !parsed.script.isEmpty() && !parsed.name.isNull() && parsed.par2 >= 0;
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

// Why the script's rip-to folder cannot take the set; empty when it can.
// The window falls back to the home folder; a run nobody watches must not.
QString ripToProblem(const QString &written)
{
    if (written.isEmpty())
        return QStringLiteral("the script names no rip-to folder");
    if (!QDir::isAbsolutePath(written))
        return QStringLiteral("the rip-to folder ") + written + QStringLiteral(" is not a full path");
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(written).constData(), &st) != 0)
        return QStringLiteral("the rip-to folder ") + written + QStringLiteral(" does not exist: ")
            + QString::fromLocal8Bit(std::strerror(errno));
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("the rip-to folder ") + written + QStringLiteral(" is not a folder");
    return {};
}

// A headless run is a whole start and shutdown: nothing after it clears a work folder left behind.
PackOptions packOptions(const PackArguments &parsed)
{
    PackOptions options;
    options.removeWorkFolder = true;
    if (parsed.sfv)
        options.writeSfv = [] { return true; };
    options.par2Percent = [percent = parsed.par2] { return percent; };
    if (parsed.test)
        // JSON progress has standard output to itself.
        options.testSet = [json = parsed.json](const QString &setPath) {
            return testSetAt(setPath, json) == PackedSet;
        };
    return options;
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
    bool loadComment(PackSession &session);
    QString checkedName(const QString &typed);
    int pack(PackSession &session, const QString &name, const PackArguments &parsed);
    int exitStatus(const RunResult &result, bool quiet);

    QTextStream m_err{stderr};
    RipSettings m_settings;
    Queue m_queue;
    RipState m_state;
    int m_step = 0;
};

int HeadlessPack::run(const QStringList &arguments)
{
    for (const QString &argument : arguments)
        if (argument.contains(QChar::ReplacementCharacter)) {
            m_err << "varko2000: the argument " << argument << " is not valid UTF-8" << Qt::endl;
            return BadArguments;
        }
    const PackArguments parsed = parseArguments(arguments);
    if (!parsed.ok) {
        m_err << kUsage << Qt::endl;
        return BadArguments;
    }
    if (!load(parsed.script))
        return BadArguments;
    PackSession session(m_queue, m_settings, m_state, packOptions(parsed));
    if (!loadComment(session))
        return BadArguments;
    const QString name = checkedName(parsed.name);
    if (name.isEmpty())
        return BadArguments;
    return pack(session, name, parsed);
}

bool HeadlessPack::load(const QString &scriptPath)
{
    const StoreResult options = OptionsFile(dataFile(QStringLiteral("options.ini"))).loadOptions(m_settings, nullptr);
    if (!options.ok)
        m_err << "varko2000: " << options.detail << Qt::endl;
    // A value refused for its bytes: the run would not be the one the files describe.
    if (options.refusedValue)
        return false;
    QString ripToAsWritten;
    StoreResult script = openScript(scriptPath, m_queue, m_settings, nullptr, &ripToAsWritten);
    if (!script.ok) {
        m_err << "varko2000: " << script.message.replace(QStringLiteral("\n\n"), QStringLiteral(": ")) << Qt::endl
              << "varko2000: " << script.detail << Qt::endl;
        return false;
    }
    if (const QString problem = ripToProblem(ripToAsWritten); !problem.isEmpty()) {
        m_err << "varko2000: " << problem << Qt::endl;
        return false;
    }
    // No fallback may move the set: the folder packed into is the one the script names.
    if (QDir::cleanPath(m_settings.riptodir) != QDir::cleanPath(ripToAsWritten)) {
        m_err << "varko2000: the rip-to folder " << ripToAsWritten << " would be replaced by " << m_settings.riptodir
              << Qt::endl;
        return false;
    }
    m_step = m_settings.size;
    if (m_step < 0 || m_step > Estimate::kMaxStep) {
        m_err << "varko2000: the script's archive size " << m_step << " is outside 0 to 199" << Qt::endl;
        return false;
    }
    for (const QueueItem &row : m_queue.items())
        if (row.isNotFound())
            m_err << "varko2000: " << row.fullPath() << ": not found, left out" << Qt::endl;
    return true;
}

// A comment the script asks for and the run cannot read is no comment left out quietly.
bool HeadlessPack::loadComment(PackSession &session)
{
    QString why;
    const bool read = session.loadZipComment(&why);
    if (!read)
        m_err << "varko2000: the zip comment cannot be read: " << why << Qt::endl;
    return read;
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

// An .sfv that could not be written ends it there; the test follows the verdict on the run.
int HeadlessPack::pack(PackSession &session, const QString &name, const PackArguments &parsed)
{
    if (m_queue.totals().totalKB == 0) {
        m_err << "varko2000: nothing to pack: the script queues nothing that exists" << Qt::endl;
        return RunEnded;
    }
    HeadlessHost::catchStopSignals();
    HeadlessHost host(name, parsed.replace, ProgressPrinter::modeFor(parsed.json, parsed.quiet), parsed.quiet);
    host.setTotalsPanelText(m_queue.totals().panelText());
    const bool packed = session.pack(host);
    host.printer().makeRoom();
    const int status = packed ? exitStatus(session.result(), parsed.quiet) : RunEnded;
    const bool whole = packed && session.testSet();
    host.printer().finish(session.isComplete() && whole);
    return whole ? status : RunEnded;
}

// Only a complete set without a warning is success; a stop signal ends as the signal would.
int HeadlessPack::exitStatus(const RunResult &result, bool quiet)
{
    for (const QString &warning : result.warnings)
        m_err << "varko2000: warning: " << QString(warning).replace(u'\r', u'\n') << Qt::endl;
    if (const int signal = HeadlessHost::caughtSignal()) {
        m_err << "varko2000: stopped by signal " << signal << "; the set was not made" << Qt::endl;
        return 128 + signal;
    }
    switch (result.outcome) {
    case RunResult::Outcome::Complete:
        if (!quiet)
            m_err << "varko2000: set complete" << Qt::endl;
        return PackedSet;
    case RunResult::Outcome::CompleteWithWarnings:
        m_err << "varko2000: set complete, with warnings" << Qt::endl;
        return RunEnded;
    default:
        // The zip-error box shows the code alone; the file and the reason are said here.
        if (result.error.step == RunError::Step::Zip)
            m_err << "varko2000: " << result.error.message << Qt::endl;
        m_err << "varko2000: the set was not made" << Qt::endl;
        return RunEnded;
    }
}

} // namespace

int runHeadlessPack(const QStringList &arguments)
{
    return HeadlessPack().run(arguments);
}
