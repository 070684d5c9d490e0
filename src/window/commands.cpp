// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window's own commands and the toolbar's dispatch.
#include "platform/diskspace.h"
#include "store/settingscaptions.h"
#include "window/commandtable.h"
#include "window/helpwindow.h"
#include "window/mainwindow.h"
#include "window/optionscommand.h"
#include "window/soundplayer.h"
#include "window/splashwindow.h"
#include "window/statuspanels.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QUrl>

namespace {

// The entries that show the options dialog: the pointer goes to the centre first.
constexpr Command kSetDefaults[] = {Command::SetDefaults, Command::RipToSetDefaults, Command::ZipSetDefaults,
                                    Command::ArchiveSetDefaults, Command::PathsSetDefaults};

bool showsOptions(Command entry)
{
    return std::ranges::find(kSetDefaults, entry) != std::end(kSetDefaults);
}

} // namespace

void MainWindow::connectCommands()
{
    onTriggered(Command::Exit, [this] { close(); });
    onTriggered(Command::About, [this] { showAbout(); });
    onTriggered(Command::RipToFolder, [this] { chooseRipToFolder(); });
    onTriggered(Command::PopupRipToFolder, [this] { chooseRipToFolder(); });
    onTriggered(Command::HelpContents, [this] {
        placePointer();
        QCoreApplication::processEvents();
        openHelp();
    });
    onTriggered(Command::WebPage, [] { QDesktopServices::openUrl(QUrl(QStringLiteral(VARKO_HOMEPAGE))); });
    onTriggered(Command::Mail, [] { QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:" VARKO_MAIL))); });
    for (const Command entry : kSetDefaults)
        onTriggered(entry, [this] {
            placePointer(std::exchange(m_pendingOffset, QPoint()));
            QCoreApplication::processEvents();
            showOptionsDialog(*this, m_settings, *m_queue);
        });
    const Command recentEntries[] = {Command::Recent1, Command::Recent2, Command::Recent3, Command::Recent4};
    for (int entry = 1; entry <= 4; ++entry) {
        QAction *recent = action(recentEntries[entry - 1]);
        connect(recent, &QAction::triggered, this, [this, recent, entry](bool checked) {
            // A click toggles entry 1's mark, which is the list's to set: put it back.
            if (recent->isCheckable())
                recent->setChecked(!checked);
            m_scripts->openRecent(entry);
        });
    }
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &MainWindow::openHelp);
    connectSettingCommands();
}

void MainWindow::pressToolbarButton(Tool button)
{
    switch (button) {
    case Tool::Close: closeOrStopRun(); return;
    case Tool::ClearQueue:
        // Clearing from the toolbar also drops the changes made through the menus.
        if (clearQueue())
            reloadOptions();
        return;
    case Tool::EditDizNfo:
        if (!browserHasSelection()) {
            toolbarButton(Tool::EditDizNfo)->setEnabled(false);
            action(Command::EditDizNfo)->setEnabled(false);
            return;
        }
        break;
    default: break;
    }
    runTwin(toolbarRow(button));
}

void MainWindow::runTwin(const ToolbarRow &row)
{
    if (row.twin == Command::None)
        return; // "Up 1 level": the browser listens to the button itself
    if (row.placesPointer) {
        if (showsOptions(row.twin)) {
            m_pendingOffset = row.offset; // the entry places the pointer itself
        } else {
            placePointer(row.offset);
            QCoreApplication::processEvents();
        }
    }
    action(row.twin)->trigger();
}

void MainWindow::closeOrStopRun()
{
    // While a run works, Close only asks it to stop; the next click closes.
    if (m_ripState.ripInProgress)
        m_ripState.ripInProgress = false;
    else
        close();
}

void MainWindow::placePointer(QPoint offset)
{
    const QRect frame = frameGeometry();
    QCursor::setPos(frame.left() + frame.width() / 2 + offset.x(), frame.top() + frame.height() / 2 + offset.y());
}

void MainWindow::showAbout()
{
    SplashWindow splash(this);
    splash.showForAbout([this] { m_sounds->playStart(); });
}

void MainWindow::playCompletionSound()
{
    m_sounds->playCompletion();
}

void MainWindow::openHelp()
{
    if (!m_help) {
        m_help = new HelpWindow(this);
        m_help->move(geometry().topLeft() + QPoint(40, 40));
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::chooseRipToFolder()
{
    const QString start = m_settings.riptodir.isEmpty() ? QDir::homePath() : m_settings.riptodir;
    const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Rip-to folder"), start);
    if (!chosen.isEmpty()) // cancelled: the folder stays as it was
        setRipToFolder(chosen);
}

bool MainWindow::setRipToFolder(const QString &chosen)
{
    const std::optional<qint64> free = freeBytes(chosen);
    if (!free || *free < 1 || !QFileInfo(chosen).isReadable()) {
        m_settings.riptodir = RipSettings::defaultRipToDir();
        m_panels->showSetting(SettingKey::Riptodir, m_settings);
        ask({QStringLiteral("Invalid drive/folder"), QStringLiteral("Varko 2000 error"), Message::Icon::Warning,
             Message::Buttons::Ok});
        return false;
    }
    m_settings.riptodir = folderWithSlash(chosen);
    m_panels->showSetting(SettingKey::Riptodir, m_settings);
    return true;
}
