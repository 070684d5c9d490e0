// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what the "List queue..." command hands the queue listing.
#include "engine/listinginput.h"

#include "engine/estimate.h"
#include "platform/datafolder.h"
#include "store/settingscaptions.h"

QueueListingInput queueListingInput(const Queue &queue, const RipSettings &settings, const QString &caption, int step)
{
    QueueListingInput input;
    input.caption = caption;
    for (const QueueItem &row : queue.items())
        input.rows.append(
            {row.name, row.sizeText(), row.typeText(), row.modifiedText(), row.path, placementText(row.in)});
    input.totalKB = queue.totals().totalKB;
    input.archiveTypeText = archiveTypeCaption(settings.rarace);
    input.archiveSizeText = Estimate::sizeCaption(step);
    input.sizePosition = step;
    input.estimate = step == 0 ? 0.0 : Estimate::displayEstimate(input.totalKB, step);
    input.pathsText = pathsCaption(settings.savepaths);
    input.zipText = zipCaption(settings.zip);
    input.settings = settings;
    input.tempFreeBytes = tempFolderFreeBytes(settings);
    return input;
}

QString queueListingPath()
{
    return dataFile(QStringLiteral("cue.txt"));
}
