// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the archive-size steps, their captions and the set estimate.
#pragma once

#include <QString>

/**
 * The archive-size step v is 0 to 199: 0 makes one archive file, n makes
 * volumes of n × 500,000 bytes, with 3 standing for the 1.44M floppy.
 */
namespace Estimate {

constexpr int kMaxStep = 199;
constexpr int kFloppyStep = 3;

/** Volumes per set as the display computes it: (totalKB / 1000 × 1,000,000) / (v × 500,000), single precision. v must
 * not be 0. */
float displayEstimate(double totalKB, int step);

/** Volumes per set as the rip run checks it: (totalKB × 1000) / (v × 500,000), single precision. v must not be 0. */
float runEstimate(double totalKB, int step);

/** More than 99 volumes: the zips and RAR volumes get three-digit numbers. Never for step 0. */
bool isOver99(float estimate, int step);

/** More than 999 volumes: the run refuses the set. Never for step 0. */
bool isOver999(float estimate, int step);

/** The progress bar's text while idle: "12.34 Est. files", or "0%" for nothing to estimate or at most one file. */
QString displayText(double totalKB, int step);

/** The "Archive size" caption: "1 file", ".5M", "1.M", "1.44M", "99.5M". */
QString sizeCaption(int step);

/** The step after a click on the size panel: left steps up, right steps down, within 0 to 199. */
int steppedSize(int step, bool leftButton);

/** What the options dialog's size control shows for its step, and what the main window shows with it. */
struct DialogView
{
    QString dialogCaption; ///< "1 Max file" for step 0
    QString mainCaption; ///< "1 file" for step 0
    QString estimateField; ///< bare "12.34"; "1.00" for at most one file, "0.00" for an empty queue
    QString progressText; ///< the main window's progress text
    bool over99 = false;
};

DialogView dialogView(double totalKB, int step);

} // namespace Estimate
