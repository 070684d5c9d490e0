// Varko 2000 — archive type, zipping, paths and per-row placement from the menus, pop-ups and panels.
#include "app/mainwindow.h"
#include "engine/placement.h"
#include "engine/placementrules.h"
#include "engine/queue.h"

#include <QCoreApplication>
#include <QLabel>

void MainWindow::connectPlacementCommands()
{
    auto on = [this](const char *name, auto slot) { connect(action(QLatin1String(name)), &QAction::triggered, this, slot); };
    on("rar2", [this] { setArchiveType(true); });
    on("rarc", [this] { setArchiveType(true); });
    on("ace2", [this] { setArchiveType(false); });
    on("acec", [this] { setArchiveType(false); });
    for (const char *name : {"zip2", "intoz"})
        on(name, [this] { setZipping(!isZipping(m_settings)); });
    for (const char *name : {"paths2", "paths3"})
        on(name, [this] { setSavePaths(m_settings.savepaths != 1); });
    on("nfo2", [this] {
        if (!commandsLocked())
            PlacementRules::toggleNfoFirst(*m_queue, m_settings);
        mirrorSetting(SettingKey::Nfo1st, m_settings, Origin::OptionsFile);
    });
    on("inrarace", [this] {
        placeSelected([this](int row) { PlacementRules::placeInArchive(*m_queue, m_settings, row); }, "inrarace");
        action(QStringLiteral("inrarace"))->setText(QStringLiteral("In ") + placementText(archivePlacement(m_settings)));
    });
    on("inzip", [this] { placeSelected([this](int row) { PlacementRules::placeInZip(*m_queue, row); }, "inzip"); });
    on("in1stzip",
       [this] { placeSelected([this](int row) { PlacementRules::placeInFirstZip(*m_queue, row); }, "in1stzip"); });
}

bool MainWindow::panelClicked(QObject *watched)
{
    if (watched == m_archiveType) {
        setArchiveType(archivePlacement(m_settings) != Placement::Rar);
        QCoreApplication::processEvents();
    } else if (watched == m_zip) {
        setZipping(!isZipping(m_settings));
    } else if (watched == m_paths) {
        setSavePaths(m_settings.savepaths != 1);
    } else {
        return false;
    }
    return true;
}

// Each command puts the marks back after the setting, so a refused one leaves them as they were.
void MainWindow::setArchiveType(bool rar)
{
    if (!commandsLocked()) {
        PlacementRules::setArchiveType(*m_queue, m_settings, rar);
        action(QStringLiteral("inrarace"))->setText(rar ? QStringLiteral("In Rar") : QStringLiteral("In Ace"));
    }
    mirrorSetting(SettingKey::Rarace, m_settings, Origin::OptionsFile);
}

void MainWindow::setZipping(bool on)
{
    if (!commandsLocked())
        PlacementRules::setZipping(*m_queue, m_settings, on);
    mirrorSetting(SettingKey::Zip, m_settings, Origin::OptionsFile);
}

void MainWindow::setSavePaths(bool on)
{
    if (!commandsLocked())
        m_settings.savepaths = on ? 1 : 0;
    mirrorSetting(SettingKey::Savepaths, m_settings, Origin::OptionsFile);
}

void MainWindow::placeSelected(const std::function<void(int)> &place, const char *entry)
{
    const int row = selectedRow();
    if (row >= 0 && !commandsLocked()) {
        place(row);
        setCheckedGroup({QStringLiteral("inrarace"), QStringLiteral("inzip"), QStringLiteral("in1stzip")},
                        int(QStringList{"inrarace", "inzip", "in1stzip"}.indexOf(QLatin1String(entry))));
    }
}
