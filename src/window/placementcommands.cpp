// Varko 2000 — archive type, zipping, paths and per-row placement from the menus, pop-ups and panels.
#include "window/mainwindow.h"
#include "engine/estimate.h"
#include "engine/placement.h"
#include "engine/placementrules.h"
#include "engine/queue.h"

#include <QCoreApplication>

void MainWindow::connectPlacementCommands()
{
    onTriggered("rar2", [this] { setArchiveType(true); });
    onTriggered("rarc", [this] { setArchiveType(true); });
    onTriggered("ace2", [this] { setArchiveType(false); });
    onTriggered("acec", [this] { setArchiveType(false); });
    for (const char *name : {"zip2", "intoz"})
        onTriggered(name, [this] { setZipping(!isZipping(m_settings)); });
    for (const char *name : {"paths2", "paths3"})
        onTriggered(name, [this] { setSavePaths(m_settings.savepaths != 1); });
    onTriggered("nfo2", [this] {
        if (!commandsLocked())
            PlacementRules::toggleNfoFirst(*m_queue, m_settings);
        mirrorSetting(SettingKey::Nfo1st, m_settings, Origin::OptionsFile);
    });
    for (const char *name : {"inrarace", "inzip", "in1stzip"})
        onTriggered(name, [this, name] { placeSelected(QLatin1String(name)); });
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

void MainWindow::placeSelected(const QString &entry)
{
    const int row = selectedRow();
    if (row < 0 || commandsLocked())
        return;
    const QStringList entries{QStringLiteral("inrarace"), QStringLiteral("inzip"), QStringLiteral("in1stzip")};
    const int chosen = int(entries.indexOf(entry));
    if (chosen == 0)
        PlacementRules::placeInArchive(*m_queue, m_settings, row);
    else if (chosen == 1)
        PlacementRules::placeInZip(*m_queue, row);
    else
        PlacementRules::placeInFirstZip(*m_queue, row);
    setCheckedGroup(entries, chosen);
}
