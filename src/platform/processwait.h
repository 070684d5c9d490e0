// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — running an outside program and waiting for its end.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

/** How an outside program ended. */
struct ProcessOutcome
{
    enum class Status { Finished, Crashed, FailedToStart, Stopped };
    Status status = Status::FailedToStart;
    int exitCode = -1; ///< meaningful when Finished
    QString errorText; ///< why it could not start or how it died
    QString reported; ///< what it wrote on its standard error (the end of it, when long)

    bool succeeded() const { return status == Status::Finished && exitCode == 0; }
};

/** What the caller does while an outside program runs. */
struct ProcessWatch
{
    /** Asked a hundred times a second; true ends the program (Stopped). */
    std::function<bool()> stopRequested;
    /**
     * When set, the program's standard output is read and each line (without
     * its end) handed here as it comes, instead of going to ours.
     */
    std::function<void(const QByteArray &line)> outputLine;
};

/**
 * Starts `program` with `arguments` in the current folder and blocks until
 * it ends. Meanwhile only paint and window-system events are delivered (no
 * user input), so a window never looks frozen and no command can start, and
 * `watch.stopRequested` is asked: when it says true, the program is asked to
 * end, and killed after a short grace (Stopped). The program's output goes
 * to ours unless `watch.outputLine` takes it, its standard error is
 * collected; its input is closed at once, so a program that asks a question
 * reads end of file. The program is also ended when ours dies.
 */
ProcessOutcome runAndWait(const QString &program, const QStringList &arguments, const ProcessWatch &watch = {});
