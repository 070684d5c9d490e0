// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rip-run host of headless packing: fixed answers, everything told on standard error.
#pragma once

#include "cli/progressprinter.h"
#include "engine/riphost.h"

#include <QTextStream>

/**
 * Answers every question OK or Yes (replacing zips of the set only when
 * `replaceZips`) and hands over the base name given on the command line.
 * Messages and notes go to standard error, prefixed with the program's name;
 * with `quiet`, only those that tell an error. The progress goes to the
 * printer. It has no window to present.
 */
class HeadlessHost : public RunQuestions, public RunReport
{
public:
    HeadlessHost(QString baseName, bool replaceZips, ProgressPrinter::Mode progress, bool quiet);

    /** From now on SIGINT, SIGTERM and SIGHUP ask the run to stop instead of ending the program. */
    static void catchStopSignals();
    /** The stop signal caught, or 0. */
    static int caughtSignal();

    Message::Answer ask(const Message &message) override;
    QString askBaseName(int maxLength) override;
    QString totalsPanelText() const override { return m_totals; }
    void setTotalsPanelText(const QString &text) override;
    void setProgress(int, const QString &) override { }
    void progressed(const RunProgress &progress) override { m_printer.print(progress); }
    void processEvents() override;
    bool stopRequested() const override { return caughtSignal() != 0; }
    void note(const QString &text, Note kind) override;

    ProgressPrinter &printer() { return m_printer; }

private:
    QTextStream m_err;
    QString m_baseName;
    bool m_replaceZips;
    bool m_quiet;
    QString m_totals;
    ProgressPrinter m_printer;
};
