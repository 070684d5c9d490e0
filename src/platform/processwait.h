// Varko 2000 — running an outside program and waiting for its end.
#pragma once

#include <QString>
#include <QStringList>

/** How an outside program ended. */
struct ProcessOutcome
{
    enum class Status { Finished, Crashed, FailedToStart };
    Status status = Status::FailedToStart;
    int exitCode = -1;   ///< meaningful when Finished
    QString errorText;   ///< why it could not start or how it died

    bool succeeded() const { return status == Status::Finished && exitCode == 0; }
};

/**
 * Starts `program` with `arguments` in the current folder and blocks until
 * it ends, without a time limit. Meanwhile only paint and window-system
 * events are delivered (no user input), so a window never looks frozen and
 * no command can start. The program's output goes to ours; its input is
 * closed at once, so a program that asks a question reads end of file.
 */
ProcessOutcome runAndWait(const QString &program, const QStringList &arguments);
