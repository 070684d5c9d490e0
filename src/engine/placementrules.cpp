// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the placement commands: archive type, zipping, nfo in the first zip, per-row placement.
#include "engine/placementrules.h"

#include "engine/placement.h"

namespace PlacementRules {

void setArchiveType(Queue &queue, RipSettings &settings, bool rar)
{
    settings.rarace = rar ? 1 : 0;
    const Placement target = rar ? Placement::Rar : Placement::Ace;
    const Placement other = rar ? Placement::Ace : Placement::Rar;
    for (int row = 0; row < queue.rowCount(); ++row) {
        if (queue.item(row).in == other)
            queue.setPlacement(row, target);
    }
}

void setZipping(Queue &queue, RipSettings &settings, bool on)
{
    settings.zip = on ? 1 : 0;
    replaceAll(queue, settings);
}

void replaceAll(Queue &queue, const RipSettings &settings)
{
    // A new row's rule is exactly what re-placing every row gives.
    for (int row = 0; row < queue.rowCount(); ++row)
        queue.setPlacement(row, defaultPlacement(queue.item(row).name, settings));
}

void toggleNfoFirst(Queue &queue, RipSettings &settings)
{
    const bool comesOn = settings.nfo1st != 1;
    settings.nfo1st = comesOn ? 1 : 0;
    const Placement from = comesOn ? Placement::Zip : Placement::FirstZipOnly;
    const Placement to = comesOn ? Placement::FirstZipOnly : Placement::Zip;
    for (int row = 0; row < queue.rowCount(); ++row) {
        const QueueItem &item = queue.item(row);
        if (isNfoName(item.name) && item.in == from)
            queue.setPlacement(row, to);
    }
}

void setNfoFirst(Queue &queue, RipSettings &settings, bool firstOnly)
{
    settings.nfo1st = firstOnly ? 1 : 0;
    const Placement to = firstOnly ? Placement::FirstZipOnly : Placement::Zip;
    for (int row = 0; row < queue.rowCount(); ++row) {
        if (isNfoName(queue.item(row).name))
            queue.setPlacement(row, to);
    }
}

void placeInArchive(Queue &queue, const RipSettings &settings, int row)
{
    queue.setPlacement(row, archivePlacement(settings));
}

void placeInZip(Queue &queue, int row)
{
    queue.setPlacement(row, Placement::Zip);
}

void placeInFirstZip(Queue &queue, int row)
{
    queue.setPlacement(row, Placement::FirstZipOnly);
}

namespace {

void offerRowEntries(QueueMenuState &menu, bool zipping, bool isDiz)
{
    menu.openItem = menu.removeItem = menu.clearQueue = menu.properties = true;
    menu.packIt = menu.listQueue = true;
    menu.inArchive = !isDiz;
    menu.inZip = zipping;
    menu.inFirstZip = zipping && !isDiz;
}

void checkPlacement(QueueMenuState &menu, Placement in)
{
    menu.inZipChecked = in == Placement::Zip;
    menu.inArchiveChecked = isArchivePlacement(in);
    menu.inFirstZipChecked = in == Placement::FirstZipOnly;
}

} // namespace

QueueMenuState queueMenuState(const Queue &queue, const RipSettings &settings, int selectedRow)
{
    QueueMenuState menu;
    menu.inArchiveCaption = QStringLiteral("In ") + placementText(archivePlacement(settings));
    const QueueTotals &totals = queue.totals();
    const bool zipping = isZipping(settings);
    const bool isDiz = zipping && isDizName(totals.selectedName);
    if (!totals.selectedPath.isEmpty() && totals.count != 0)
        offerRowEntries(menu, zipping, isDiz);
    if (totals.count != 0)
        menu.clearQueue = menu.packIt = menu.listQueue = true;
    const bool hasRow = selectedRow >= 0 && selectedRow < queue.rowCount();
    if (hasRow)
        checkPlacement(menu, queue.item(selectedRow).in);
    if (!hasRow)
        menu.openItem = menu.removeItem = menu.properties = false;
    if (!hasRow || queue.item(selectedRow).isNotFound())
        menu.inArchive = menu.inZip = menu.inFirstZip = false;
    return menu;
}

} // namespace PlacementRules
