// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a headless run's progress: a line kept in place on a terminal, plain lines in a log, JSON for scripts.
#include "cli/progressprinter.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

namespace {

// How often each kind of reader wants a new reading.
qint64 intervalMs(ProgressPrinter::Mode mode)
{
    switch (mode) {
    case ProgressPrinter::Mode::Terminal: return 100;
    case ProgressPrinter::Mode::Json: return 250;
    default: return 1000;
    }
}

} // namespace

ProgressPrinter::Mode ProgressPrinter::modeFor(bool json, bool quiet)
{
    if (json)
        return Mode::Json;
    if (quiet)
        return Mode::Quiet;
    return ::isatty(STDERR_FILENO) ? Mode::Terminal : Mode::Lines;
}

ProgressPrinter::ProgressPrinter(Mode mode)
    : m_mode(mode)
{
}

// A new stage is always told at once; within one, readings are spaced out.
bool ProgressPrinter::due(const RunProgress &progress)
{
    const bool newStage = progress.stage != std::exchange(m_lastStage, progress.stage);
    if (!newStage && m_printed.isValid() && m_printed.elapsed() < intervalMs(m_mode))
        return false;
    m_printed.start();
    return true;
}

void ProgressPrinter::print(const RunProgress &progress)
{
    if (m_mode == Mode::Quiet || !due(progress))
        return;
    switch (m_mode) {
    case Mode::Terminal:
        m_err << "\rvarko2000: " << progressLineText(progress) << "\x1b[K" << Qt::flush;
        m_lineShown = true;
        break;
    case Mode::Lines: m_err << "varko2000: " << progressLineText(progress) << Qt::endl; break;
    case Mode::Json: m_out << json(progress) << Qt::endl; break;
    case Mode::Quiet: break;
    }
}

void ProgressPrinter::makeRoom()
{
    if (std::exchange(m_lineShown, false))
        m_err << "\r\x1b[K" << Qt::flush;
}

void ProgressPrinter::finish(bool complete)
{
    makeRoom();
    if (m_mode == Mode::Json) {
        const QJsonObject last{{QStringLiteral("stage"), QStringLiteral("done")},
                               {QStringLiteral("complete"), complete}};
        m_out << QJsonDocument(last).toJson(QJsonDocument::Compact) << Qt::endl;
    }
}

QString ProgressPrinter::json(const RunProgress &progress) const
{
    const QJsonObject reading{
        {QStringLiteral("stage"), progressStageName(progress.stage)},
        {QStringLiteral("bytes_done"), progress.stageDone},
        {QStringLiteral("bytes_total"), progress.stageTotal},
        {QStringLiteral("volume"), progress.volume},
        {QStringLiteral("volumes"), progress.volumes},
        {QStringLiteral("percent"), progress.percent},
        {QStringLiteral("speed"), qint64(progress.bytesPerSecond)},
        {QStringLiteral("eta"), progress.secondsLeft},
    };
    return QString::fromUtf8(QJsonDocument(reading).toJson(QJsonDocument::Compact));
}
