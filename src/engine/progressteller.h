// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a run's progress read off the disk and told to its host a few times a second.
#pragma once

#include "engine/riphost.h"
#include "engine/runprogress.h"

#include <QElapsedTimer>
#include <QString>

#include <utility>
#include <vector>

/**
 * While the archiver works, its volumes are measured where they grow; while
 * the zips are written, each zip's share of its volume counts. The bar gets
 * the whole run's percent and the volume counter the volume; the host hears
 * every reading, speed and time left included, through `progressed`.
 */
class ProgressTeller
{
public:
    ProgressTeller(RunReport &report, RunProgressMeter meter, QString archiveType);

    /**
     * The archiver's files so far: those in `folder` whose names start with
     * `prefix`, and the volumes already `taken` from there into their zips (count, bytes).
     */
    void sampleArchive(const QString &folder, const QString &prefix, std::pair<int, qint64> taken = {});
    /** The zip stage starts over volumes of these sizes, volume 1 first. */
    void startZipping(std::vector<qint64> volumeSizes);
    /** Zip `index` (from 1) is `percent` written. */
    void zipPercent(int index, int percent) { m_zipPercent.at(std::size_t(index - 1)) = percent; }
    /** Tells the zips' progress, the oldest still out being `volume`. */
    void tellZips(int volume);

private:
    void tell(const RunProgress &progress);
    QString counterText(const RunProgress &progress) const;

    RunReport &m_report;
    RunProgressMeter m_meter;
    QString m_archiveType;
    QElapsedTimer m_sampled; ///< since the last look at the disk
    int m_shownPercent = -1;
    QString m_shownCounter;
    std::vector<qint64> m_volumeSizes;
    std::vector<int> m_zipPercent;
};
