// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — running an outside program and waiting for its end.
#include "platform/processwait.h"

#include <QCoreApplication>
#include <QProcess>

#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// Short enough for a repaint to look smooth and for a volume the archiver
// finished to be put to use at once, long enough to cost nothing.
constexpr int kSliceMs = 5;
// What a stopped program gets to remove its own unfinished files.
constexpr int kGraceMs = 3000;
// Enough of the program's complaints to say what went wrong, not a whole log.
constexpr qsizetype kReportedBytes = 16 * 1024;

void keepEnd(QByteArray &reported, const QByteArray &more)
{
    reported += more;
    if (reported.size() > kReportedBytes)
        reported.remove(0, reported.size() - kReportedBytes);
}

// Hands over every whole line read so far; `last` hands over what remains too. A carriage
// return ends a line as well, and a line longer than kReportedBytes is handed over in pieces:
// a program that redraws its own progress line never fills memory.
void handLines(QProcess &process, QByteArray &pending, const ProcessWatch &watch, bool last)
{
    if (!watch.outputLine)
        return;
    pending += process.readAllStandardOutput();
    qsizetype start = 0;
    for (;;) {
        qsizetype end = start;
        while (end < pending.size() && pending[end] != '\n' && pending[end] != '\r' && end - start < kReportedBytes)
            ++end;
        const bool whole = end < pending.size() || (last && end > start);
        if (!whole)
            break;
        watch.outputLine(pending.sliced(start, end - start));
        start = end;
        if (start < pending.size() && pending[start] == '\r')
            ++start;
        if (start < pending.size() && pending[start] == '\n')
            ++start;
    }
    pending.remove(0, start);
}

void endProcess(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(kGraceMs)) {
        process.kill();
        process.waitForFinished(-1);
    }
}

} // namespace

ProcessOutcome runAndWait(const QString &program, const QStringList &arguments, const ProcessWatch &watch)
{
    QProcess process;
    process.setProcessChannelMode(watch.outputLine ? QProcess::SeparateChannels : QProcess::ForwardedOutputChannel);
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        // The archiver must not outlive us, whatever way we end.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127);
    });
    process.start(program, arguments);
    if (!process.waitForStarted(-1))
        return {ProcessOutcome::Status::FailedToStart, -1, process.errorString(), {}};
    process.closeWriteChannel();

    QByteArray reported;
    QByteArray output;
    bool stopped = false;
    while (!process.waitForFinished(kSliceMs) && process.state() != QProcess::NotRunning) {
        keepEnd(reported, process.readAllStandardError());
        handLines(process, output, watch, false);
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
        if (watch.stopRequested && watch.stopRequested()) {
            endProcess(process);
            stopped = true;
        }
    }
    keepEnd(reported, process.readAllStandardError());
    handLines(process, output, watch, true);
    const QString said = QString::fromUtf8(reported).trimmed();
    if (stopped)
        return {ProcessOutcome::Status::Stopped, -1, QStringLiteral("stopped"), said};
    if (process.exitStatus() == QProcess::CrashExit) {
        // Qt's "Process crashed" hides what ended it; a killed archiver is not a crashed one.
        const int signal = process.exitCode();
        const char *name = ::sigabbrev_np(signal);
        QString how = QStringLiteral("signal %1").arg(signal);
        if (name)
            how += QStringLiteral(" (SIG%1)").arg(QString::fromLatin1(name));
        return {ProcessOutcome::Status::Crashed, -1, how, said};
    }
    return {ProcessOutcome::Status::Finished, process.exitCode(), {}, said};
}
