// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a run's progress read off the disk and told to its host a few times a second.
#include "engine/progressteller.h"

#include "store/textformat.h"

#include <QDir>
#include <QFileInfo>

#include <numeric>

namespace {

constexpr qint64 SampleMs = 200; // listing the folder costs; the archiver's volumes grow by megabytes a second

} // namespace

ProgressTeller::ProgressTeller(RunReport &report, RunProgressMeter meter, QString archiveType)
    : m_report(report)
    , m_meter(std::move(meter))
    , m_archiveType(std::move(archiveType))
{
}

void ProgressTeller::sampleArchive(const QString &folder, const QString &prefix, std::pair<int, qint64> taken)
{
    if (m_sampled.isValid() && m_sampled.elapsed() < SampleMs)
        return;
    m_sampled.start();
    auto [volumes, bytes] = taken;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
        if (file.fileName().startsWith(prefix)) {
            bytes += file.size();
            ++volumes;
        }
    }
    tell(m_meter.archived(bytes, volumes));
}

void ProgressTeller::startZipping(std::vector<qint64> volumeSizes)
{
    m_volumeSizes = std::move(volumeSizes);
    m_zipPercent.assign(m_volumeSizes.size(), 0);
    m_meter.startZipping(std::accumulate(m_volumeSizes.begin(), m_volumeSizes.end(), qint64(0)),
                         int(m_volumeSizes.size()));
    tell(m_meter.current());
}

void ProgressTeller::tellZips(int volume)
{
    qint64 bytes = 0;
    for (std::size_t i = 0; i < m_volumeSizes.size(); ++i)
        bytes += m_volumeSizes[i] * m_zipPercent[i] / 100;
    tell(m_meter.zipped(bytes, volume));
}

void ProgressTeller::tell(const RunProgress &progress)
{
    if (progress.percent != std::exchange(m_shownPercent, progress.percent))
        m_report.setProgress(progress.percent, QString::number(progress.percent) + u'%');
    if (const QString counter = counterText(progress); counter != std::exchange(m_shownCounter, counter))
        m_report.setTotalsPanelText(counter);
    m_report.progressed(progress);
}

// The counter as the zips have always shown it (" 2 of 5"); while the archiver writes, the volume it is at.
QString ProgressTeller::counterText(const RunProgress &progress) const
{
    if (progress.stage == RunProgress::Stage::Zip)
        return numberText(progress.volume) + QStringLiteral(" of") + numberText(progress.volumes);
    return u' ' + m_archiveType + numberText(progress.volume);
}
