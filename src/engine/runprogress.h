// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — how far a run has got over both its stages, with its speed and the time it has left.
#pragma once

#include <QString>
#include <QtGlobal>

#include <deque>
#include <functional>
#include <utility>

/** One reading of a run's progress, for the bar, a terminal and automation alike. */
struct RunProgress
{
    enum class Stage { Archive, Zip };

    Stage stage = Stage::Archive;
    qint64 stageDone = 0; ///< volume bytes the archiver wrote, or volume bytes zipped
    qint64 stageTotal = 0; ///< what the stage is expected to reach
    int volume = 0; ///< the volume being written or zipped, from 1
    int volumes = 0; ///< the set's volumes; 0 while the archiver still writes
    int percent = 0; ///< of the whole run, never lower than an earlier reading
    double bytesPerSecond = 0; ///< the stage's, over the last few seconds
    int secondsLeft = -1; ///< the whole run's; -1 until it can be told
};

/** "12.4 MB/s, 1:05 left": the speed once measured and the time left once known; empty before either. */
QString progressRateText(const RunProgress &progress);
/** "zip", or "archive": the stage's name in JSON. */
QString progressStageName(RunProgress::Stage stage);
/** "Zipping: volume 12 of 40, 37%, 12.4 MB/s, 1:05 left", in the window and on a terminal alike. */
QString progressLineText(const RunProgress &progress);

/**
 * Turns byte counts measured on disk into one progress over the whole run.
 * The stages are weighted by what a byte costs in each: copying, or
 * compressing; stored zips are made while the archiver writes on, which
 * leaves their stage little but naming them. The archive stage's total is the queue's bytes, which its
 * volumes reach when stored and stay under when compressed; the zip stage
 * then starts from where the archive stage really ended.
 */
class RunProgressMeter
{
public:
    /** Milliseconds from any fixed point; tests give their own. */
    using Clock = std::function<qint64()>;

    RunProgressMeter(qint64 archiveBytes, bool zipping, bool compressArchive, bool compressZips, Clock clock = {});

    /** The archiver's volumes hold `bytes` in all, the last of them number `volume`. */
    const RunProgress &archived(qint64 bytes, int volume);
    /** The zip stage starts, over `volumes` volumes of `bytes` in all. */
    void startZipping(qint64 bytes, int volumes);
    /** Zips hold `bytes` of the volumes so far; the oldest still being written is `volume`. */
    const RunProgress &zipped(qint64 bytes, int volume);

    const RunProgress &current() const { return m_progress; }

private:
    void update(qint64 done);
    double doneWork() const;

    Clock m_clock;
    qint64 m_start;
    double m_archiveCost;
    double m_zipCost;
    bool m_zipping;
    qint64 m_archived = 0; ///< the archive stage's bytes once it ended
    double m_exactFraction = 0;
    std::deque<std::pair<qint64, qint64>> m_samples; ///< (ms, stage bytes) over the speed window
    RunProgress m_progress;
};
