// Varko 2000 — running an outside program and waiting for its end.
#include "platform/processwait.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

// Short enough for a repaint to look smooth, long enough to cost nothing.
constexpr int kSliceMs = 40;

} // namespace

ProcessOutcome runAndWait(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(-1))
        return {ProcessOutcome::Status::FailedToStart, -1, process.errorString()};
    process.closeWriteChannel();

    while (!process.waitForFinished(kSliceMs)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents
                                            | QEventLoop::ExcludeSocketNotifiers);
    }
    if (process.exitStatus() == QProcess::CrashExit)
        return {ProcessOutcome::Status::Crashed, -1, process.errorString()};
    return {ProcessOutcome::Status::Finished, process.exitCode(), {}};
}
