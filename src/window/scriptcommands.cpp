// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the File menu's script entries connected to the script session.
#include "browser/filebrowser.h"
#include "window/mainwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

void MainWindow::connectScriptCommands()
{
    onTriggered(Command::NewRipScript, [this] { m_scripts->newScript(); });
    onTriggered(Command::PopupNewRipScript, [this] { m_scripts->newScript(); });
    onTriggered(Command::OpenScript, [this] {
        // A script selected in the browser opens as it is; anything else asks.
        m_scripts->openChosen(m_browser ? m_browser->selectedPaths().value(0) : QString());
    });
    onTriggered(Command::SaveScript, [this] { m_scripts->save(); });
    onTriggered(Command::SaveScriptAs, [this] { m_scripts->saveAsChosen(); });
    connect(m_scripts, &ScriptSession::scriptNamed, this,
            [this](const QString &path) { setWindowTitle(QStringLiteral("Varko 2000 - ") + path); });
    connect(m_scripts, &ScriptSession::opening, this, &MainWindow::showScriptFolder);
    connect(m_scripts, &ScriptSession::opened, this, &MainWindow::refreshTotals);
    connect(m_scripts, &ScriptSession::openFailed, this, &MainWindow::emptyQueueReset);
    connect(m_scripts, &ScriptSession::created, this, [this](const QString &path) {
        QCoreApplication::processEvents();
        if (m_browser)
            m_browser->selectNewFile(path);
    });
}

QString MainWindow::askScriptPath(bool saving)
{
    if (saving)
        return QFileDialog::getSaveFileName(this, QStringLiteral("Varko 2000 - Save script as..."), m_browserFolder,
                                            QStringLiteral("Rip script (*.v2k)"));
    return QFileDialog::getOpenFileName(this, QStringLiteral("Varko 2000 - Open script..."),
                                        QDir(m_browserFolder).filePath(QStringLiteral("*.v2k")),
                                        QStringLiteral("Varko 2000 script (*.v2k)"));
}
