// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a headless run's progress: a line kept in place on a terminal, plain lines in a log, JSON for scripts.
#pragma once

#include "engine/runprogress.h"

#include <QElapsedTimer>
#include <QTextStream>

/** How `--pack` tells its progress. */
class ProgressPrinter
{
public:
    enum class Mode {
        Terminal, ///< one line on standard error, rewritten in place
        Lines, ///< standard error is a file or pipe: a plain line at most once a second
        Json, ///< one JSON object a line on standard output
        Quiet, ///< nothing
    };

    /** Json or Quiet when asked for; otherwise by what standard error is. */
    static Mode modeFor(bool json, bool quiet);

    explicit ProgressPrinter(Mode mode);

    void print(const RunProgress &progress);
    /** Before any other line on standard error: the line kept in place is cleared. */
    void makeRoom();
    /** The run's last word: JSON's last line says whether the set is complete. */
    void finish(bool complete);

private:
    QString json(const RunProgress &progress) const;
    bool due(const RunProgress &progress);

    Mode m_mode;
    QTextStream m_err{stderr};
    QTextStream m_out{stdout};
    QElapsedTimer m_printed;
    RunProgress::Stage m_lastStage = RunProgress::Stage::Archive;
    bool m_lineShown = false;
};
