// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — archive type, zipping, paths and per-row placement from the menus, pop-ups and panels.
#include "engine/estimate.h"
#include "engine/placement.h"
#include "engine/placementrules.h"
#include "engine/queue.h"
#include "window/mainwindow.h"

#include <QCoreApplication>

void MainWindow::connectPlacementCommands()
{
    onTriggered(Command::Rar, [this] { setArchiveType(true); });
    onTriggered(Command::PopupRar, [this] { setArchiveType(true); });
    onTriggered(Command::Ace, [this] { setArchiveType(false); });
    onTriggered(Command::PopupAce, [this] { setArchiveType(false); });
    for (const Command entry : {Command::Zip, Command::PopupIntoZips})
        onTriggered(entry, [this] { setZipping(!isZipping(m_settings)); });
    for (const Command entry : {Command::IncludePaths, Command::PopupPaths})
        onTriggered(entry, [this] { setSavePaths(m_settings.savepaths != 1); });
    onTriggered(Command::NfoInFirstZip, [this] {
        if (!commandsLocked())
            PlacementRules::toggleNfoFirst(*m_queue, m_settings);
        mirrorSetting(SettingKey::Nfo1st, m_settings, Origin::OptionsFile);
    });
    for (const Command entry : kPlacementEntries)
        onTriggered(entry, [this, entry] { placeSelected(entry); });
}

void MainWindow::toggleArchiveType()
{
    setArchiveType(archivePlacement(m_settings) != Placement::Rar);
    QCoreApplication::processEvents();
    updateModePicture();
}

void MainWindow::stepVolumeSize(bool up)
{
    if (!commandsLocked())
        m_settings.size = qint16(Estimate::steppedSize(m_settings.size, up));
    refreshTotals();
}

// Each command puts the marks back after the setting, so a refused one leaves them as they were.
void MainWindow::setArchiveType(bool rar)
{
    if (!commandsLocked())
        PlacementRules::setArchiveType(*m_queue, m_settings, rar);
    mirrorSetting(SettingKey::Rarace, m_settings, Origin::OptionsFile);
}

void MainWindow::setZipping(bool on)
{
    if (!commandsLocked())
        PlacementRules::setZipping(*m_queue, m_settings, on);
    mirrorSetting(SettingKey::Zip, m_settings, Origin::OptionsFile);
    updateModePicture();
}

void MainWindow::setSavePaths(bool on)
{
    if (!commandsLocked())
        m_settings.savepaths = on ? 1 : 0;
    mirrorSetting(SettingKey::Savepaths, m_settings, Origin::OptionsFile);
}

void MainWindow::placeSelected(Command entry)
{
    const int row = selectedRow();
    if (row < 0 || commandsLocked())
        return;
    const int chosen = int(std::ranges::find(kPlacementEntries, entry) - std::begin(kPlacementEntries));
    if (chosen == 0)
        PlacementRules::placeInArchive(*m_queue, m_settings, row);
    else if (chosen == 1)
        PlacementRules::placeInZip(*m_queue, row);
    else
        PlacementRules::placeInFirstZip(*m_queue, row);
    m_commands.checkOne(kPlacementEntries, chosen);
}
