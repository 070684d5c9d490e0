// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — how a run ended, in words a person reads after it.
#include "engine/runsummary.h"

namespace {

QString setName(const RunSummary &summary)
{
    return summary.baseName.isEmpty() ? QStringLiteral("Set") : QStringLiteral("Set ") + summary.baseName;
}

QString made(const RunSummary &summary)
{
    const QString files = summary.zipping
        ? countedNoun(summary.files, QStringLiteral("zip"), QStringLiteral("zips"))
        : countedNoun(summary.files, QStringLiteral("volume"), QStringLiteral("volumes"));
    return files + QStringLiteral(" in ") + summary.folder;
}

} // namespace

QString countedNoun(qsizetype n, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? one : many);
}

QString runSummaryTitle(const RunResult &result, const RunSummary &summary)
{
    switch (result.outcome) {
    case RunResult::Outcome::NotStarted: return {};
    case RunResult::Outcome::Complete: return setName(summary) + QStringLiteral(" complete");
    case RunResult::Outcome::CompleteWithWarnings: return setName(summary) + QStringLiteral(" complete, with warnings");
    case RunResult::Outcome::Cancelled:
        return setName(summary) + (result.stopped ? QStringLiteral(" stopped") : QStringLiteral(" cancelled"));
    case RunResult::Outcome::Failed: return setName(summary) + QStringLiteral(" failed");
    }
    return {};
}

QString runSummaryText(const RunResult &result, const RunSummary &summary)
{
    const QString title = runSummaryTitle(result, summary);
    switch (result.outcome) {
    case RunResult::Outcome::NotStarted: return {};
    case RunResult::Outcome::Complete: return title + QStringLiteral(": ") + made(summary);
    case RunResult::Outcome::CompleteWithWarnings:
        return title + QStringLiteral(": ") + made(summary) + QStringLiteral("; ")
            + result.warnings.join(QStringLiteral("; "));
    case RunResult::Outcome::Cancelled:
        if (result.stopped && summary.files > 0)
            return title + QStringLiteral(": the set was not made; ") + made(summary) + QStringLiteral(" are whole");
        return title + QStringLiteral(": the set was not made");
    case RunResult::Outcome::Failed:
        return title + QStringLiteral(": ") + result.error.message + QStringLiteral("; the set was not made");
    }
    return {};
}
