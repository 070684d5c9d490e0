// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — how far a run has got over both its stages, with its speed and the time it has left.
#include "engine/runprogress.h"

#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>

namespace {

constexpr qint64 SpeedWindowMs = 3000;
constexpr qint64 EtaAfterMs = 2000; // earlier guesses swing too far to be worth showing
// What a byte costs, relative to copying it: deflating or packing is several times slower.
constexpr double CopyCost = 1.0;
constexpr double CompressCost = 6.0;
// Stored zips are made while the archiver writes on: the zip stage has little left but naming them.
constexpr double StoredZipCost = 0.05;

QString clockText(int seconds)
{
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2").arg(seconds / 60 % 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return seconds < 3600 ? minutesAndSeconds
                          : QStringLiteral("%1:%2").arg(seconds / 3600).arg(minutesAndSeconds.rightJustified(5, u'0'));
}

RunProgressMeter::Clock steadyClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

} // namespace

QString progressRateText(const RunProgress &progress)
{
    QStringList parts;
    if (progress.bytesPerSecond > 0)
        parts << QStringLiteral("%1 MB/s").arg(progress.bytesPerSecond / 1e6, 0, 'f', 1);
    if (progress.secondsLeft >= 0)
        parts << QStringLiteral("%1 left").arg(clockText(progress.secondsLeft));
    return parts.join(QStringLiteral(", "));
}

QString progressStageName(RunProgress::Stage stage)
{
    return stage == RunProgress::Stage::Archive ? QStringLiteral("archive") : QStringLiteral("zip");
}

QString progressLineText(const RunProgress &progress)
{
    QString volume = QStringLiteral("volume %1").arg(progress.volume);
    if (progress.volumes > 0)
        volume += QStringLiteral(" of %1").arg(progress.volumes);
    const QString stage =
        progress.stage == RunProgress::Stage::Archive ? QStringLiteral("Archiving") : QStringLiteral("Zipping");
    const QString rate = progressRateText(progress);
    return QStringLiteral("%1: %2, %3%").arg(stage, volume).arg(progress.percent)
        + (rate.isEmpty() ? QString() : QStringLiteral(", ") + rate);
}

RunProgressMeter::RunProgressMeter(qint64 archiveBytes, bool zipping, bool compressArchive, bool compressZips,
                                   Clock clock)
    : m_clock(clock ? std::move(clock) : steadyClock())
    , m_start(m_clock())
    , m_archiveCost(compressArchive ? CompressCost : CopyCost)
    , m_zipCost(compressZips ? CompressCost : StoredZipCost)
    , m_zipping(zipping)
{
    m_progress.stageTotal = std::max<qint64>(archiveBytes, 1);
    m_samples.emplace_back(m_start, 0); // the first reading's speed counts from the start
}

const RunProgress &RunProgressMeter::archived(qint64 bytes, int volume)
{
    m_progress.volume = volume;
    update(bytes);
    return m_progress;
}

void RunProgressMeter::startZipping(qint64 bytes, int volumes)
{
    m_archived = m_progress.stageDone;
    m_progress.stage = RunProgress::Stage::Zip;
    m_progress.stageTotal = std::max<qint64>(bytes, 1);
    m_progress.volumes = volumes;
    m_progress.volume = 1;
    m_samples.assign(1, {m_clock(), 0});
    update(0);
}

const RunProgress &RunProgressMeter::zipped(qint64 bytes, int volume)
{
    m_progress.volume = volume;
    update(bytes);
    return m_progress;
}

// The work done over the work the whole run will take, as known now.
double RunProgressMeter::doneWork() const
{
    const RunProgress &p = m_progress;
    const bool archiving = p.stage == RunProgress::Stage::Archive;
    const double archiveTotal = double(archiving ? p.stageTotal : m_archived) * m_archiveCost;
    const double archiveDone = double(archiving ? std::min(p.stageDone, p.stageTotal) : m_archived) * m_archiveCost;
    // Before the volumes are known, the zips are taken to be as large as the archive is expected to be.
    const double zipTotal = m_zipping ? double(p.stageTotal) * m_zipCost : 0;
    const double zipDone = archiving ? 0 : double(std::min(p.stageDone, p.stageTotal)) * m_zipCost;
    const double total = archiveTotal + zipTotal;
    return total > 0 ? (archiveDone + zipDone) / total : 0;
}

void RunProgressMeter::update(qint64 done)
{
    const qint64 now = m_clock();
    m_progress.stageDone = std::max<qint64>(done, 0);
    m_samples.emplace_back(now, m_progress.stageDone);
    while (m_samples.size() > 2 && m_samples[1].first <= now - SpeedWindowMs)
        m_samples.pop_front();
    const auto &[since, from] = m_samples.front();
    m_progress.bytesPerSecond = now > since ? double(m_progress.stageDone - from) * 1000.0 / double(now - since) : 0;

    m_exactFraction = std::max(m_exactFraction, std::clamp(doneWork(), 0.0, 1.0));
    m_progress.percent = std::max(m_progress.percent, int(m_exactFraction * 100));
    const qint64 elapsed = now - m_start;
    m_progress.secondsLeft = elapsed >= EtaAfterMs && m_exactFraction > 0
        ? int(double(elapsed) * (1 - m_exactFraction) / m_exactFraction / 1000.0 + 0.5)
        : -1;
}
