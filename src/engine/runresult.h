// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — how a rip run ended: what the window and headless packing read after it.
#pragma once

#include <QString>
#include <QStringList>

/** What made a run fail: one value, whatever the step. */
struct RunError
{
    enum class Step { None, ListFile, WorkFolder, Archiver, Zip };
    Step step = Step::None;
    QString message; ///< the whole text the user reads
    QString path; ///< the file or folder it is about
    int code = 0; ///< the archiver's exit status or the zip library's code; 0 when neither

    bool isError() const { return step != Step::None; }
};

/** The end of one run. */
struct RunResult
{
    enum class Outcome {
        NotStarted, ///< nothing to pack, or a run is already working
        Complete, ///< the whole set was made
        CompleteWithWarnings, ///< the whole set was made; `warnings` say what differs from the queue
        Cancelled, ///< the user said no, or a stop request ended it
        Failed, ///< `error` says why; no set that looks complete is left
    };
    Outcome outcome = Outcome::NotStarted;
    RunError error;
    QStringList warnings;
    bool stopped = false; ///< cancelled by a stop request (Close, a signal), not by an answer
};
