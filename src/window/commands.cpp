// Varko 2000 — the main window's own commands and the toolbar's dispatch.
#include "window/commandtable.h"
#include "window/helpwindow.h"
#include "window/mainwindow.h"
#include "window/optionscommand.h"
#include "window/soundplayer.h"
#include "window/splashwindow.h"
#include "window/statuspanels.h"
#include "platform/diskspace.h"
#include "store/settingscaptions.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QUrl>

namespace {

// The entries that show the options dialog: the pointer goes to the centre first.
const QStringList kSetDefaults{QStringLiteral("preferences"), QStringLiteral("options"),
                               QStringLiteral("options3"), QStringLiteral("options4"),
                               QStringLiteral("options9")};

} // namespace

void MainWindow::connectCommands()
{
    onTriggered("exit0", [this] { close(); });
    onTriggered("about", [this] { about_Click(); });
    onTriggered("riptof", [this] { changep_Click(); });
    onTriggered("changep", [this] { changep_Click(); });
    onTriggered("contents", [this] {
        placePointer();
        QCoreApplication::processEvents();
        openHelp();
    });
    onTriggered("web", [] { QDesktopServices::openUrl(QUrl(QStringLiteral(VARKO_HOMEPAGE))); });
    onTriggered("mail", [] { QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:" VARKO_MAIL))); });
    for (const QString &name : kSetDefaults)
        connect(action(name), &QAction::triggered, this, [this] {
            placePointer(std::exchange(m_pendingOffset, QPoint()));
            QCoreApplication::processEvents();
            showOptionsDialog(*this);
        });
    for (int entry = 2; entry <= 5; ++entry) {
        QAction *recent = action(QStringLiteral("mnuFile%1").arg(entry));
        connect(recent, &QAction::triggered, this, [this, recent, entry](bool checked) {
            // A click toggles entry 2's mark, which is the list's to set: put it back.
            if (recent->isCheckable())
                recent->setChecked(!checked);
            m_scripts->openRecent(entry - 1);
        });
    }
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &MainWindow::openHelp);
    connectSettingCommands();
    connectViewCommands();
}

void MainWindow::toolbar_ButtonClick(int position)
{
    if (position < 1 || position > int(toolbarTable().size()))
        return;
    const ToolbarRow &row = toolbarTable()[size_t(position - 1)];
    if (position == 25) {
        // While a run works, Close only asks it to stop; the next click closes.
        if (m_ripState.ripInProgress)
            m_ripState.ripInProgress = false;
        else
            close();
        return;
    }
    if (position == 14 && !browserHasSelection()) {
        toolbarButton(14)->setEnabled(false);
        action(QStringLiteral("edit"))->setEnabled(false);
        return;
    }
    if (position == 18) {
        // Clearing from the toolbar also drops the changes made through the menus.
        if (clearQueue())
            reloadOptions();
        return;
    }
    if (!row.twin)
        return; // "Up 1 level": the browser listens to the button itself
    QAction *twin = action(QLatin1String(row.twin));
    if (row.placesPointer) {
        if (kSetDefaults.contains(QLatin1String(row.twin))) {
            m_pendingOffset = row.offset; // the entry places the pointer itself
        } else {
            placePointer(row.offset);
            QCoreApplication::processEvents();
        }
    }
    twin->trigger();
}

void MainWindow::placePointer(QPoint offset)
{
    const QRect frame = frameGeometry();
    QCursor::setPos(frame.left() + frame.width() / 2 + offset.x(), frame.top() + frame.height() / 2 + offset.y());
}

void MainWindow::about_Click()
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

void MainWindow::changep_Click()
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
        showMessage(QMessageBox::Warning, QStringLiteral("Varko 2000 error"), QStringLiteral("Invalid drive/folder"));
        return false;
    }
    m_settings.riptodir = folderWithSlash(chosen);
    m_panels->showSetting(SettingKey::Riptodir, m_settings);
    return true;
}
