// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the archive-size steps, their captions and the set estimate.
#include "engine/estimate.h"

#include "store/textformat.h"

namespace Estimate {

namespace {

const QString kNoEstimate = QStringLiteral("0%");
const QString kEstSuffix = QStringLiteral(" Est. files");

} // namespace

float displayEstimate(double totalKB, int step)
{
    const float megabytes = static_cast<float>(totalKB / 1000.0);
    const float volumeBytes = static_cast<float>(step) * 500000.0f;
    return megabytes * 1000000.0f / volumeBytes;
}

float runEstimate(double totalKB, int step)
{
    const float setBytes = static_cast<float>(totalKB * 1000.0);
    const float volumeBytes = static_cast<float>(step) * 500000.0f;
    return setBytes / volumeBytes;
}

bool isOver99(float estimate, int step)
{
    return step != 0 && estimate > 99.0f;
}

bool isOver999(float estimate, int step)
{
    return step != 0 && estimate > 999.0f;
}

QString displayText(double totalKB, int step)
{
    if (totalKB == 0 || step == 0)
        return kNoEstimate;
    const float estimate = displayEstimate(totalKB, step);
    return estimate > 1.0f ? formatTwoDecimals(estimate) + kEstSuffix : kNoEstimate;
}

QString sizeCaption(int step)
{
    if (step == 0)
        return QStringLiteral("1 file");
    if (step == kFloppyStep)
        return QStringLiteral("1.44M");
    return formatThousandthsOneDecimal(step * 500.0) + u'M';
}

int steppedSize(int step, bool leftButton)
{
    if (leftButton)
        return step < kMaxStep ? step + 1 : step;
    return step > 0 ? step - 1 : step;
}

DialogView dialogView(double totalKB, int step)
{
    DialogView view;
    view.mainCaption = sizeCaption(step);
    view.dialogCaption = step == 0 ? QStringLiteral("1 Max file") : view.mainCaption;
    view.estimateField = QStringLiteral("1.00");
    view.progressText = kNoEstimate;
    if (step != 0) {
        const float estimate = displayEstimate(totalKB, step);
        view.over99 = isOver99(estimate, step);
        if (estimate > 1.0f) {
            view.estimateField = formatTwoDecimals(estimate);
            view.progressText = view.estimateField + kEstSuffix;
        }
    }
    if (totalKB == 0) {
        view.estimateField = QStringLiteral("0.00");
        view.progressText = kNoEstimate;
    }
    return view;
}

} // namespace Estimate
