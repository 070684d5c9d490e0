// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window's shutdown: recent list, state file, help, work folders.
#include "engine/leftoverfolders.h"
#include "window/helpwindow.h"
#include "window/mainwindow.h"
#include "window/panes.h"
#include "window/splashwindow.h"
#include "window/twipslayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closing && m_started) {
        m_closing = true;
        m_scripts->saveRecent();
        shutDown();
    }
    event->accept();
}

void MainWindow::shutDown()
{
    // A running run stops at its next check; the zip being written stops now.
    m_ripState.ripInProgress = false;
    m_ripState.zipAbortRequested = true;
    saveWindowStateFile(QDir(m_dataFolder).filePath(QStringLiteral("varko2k.ini")), SplashWindow::versionLabel(),
                        snapshot(), m_screen);
    if (m_help)
        m_help->close();
    removeLeftoverWorkFolders(m_settings.tdrive);
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window != this)
            window->close();
}

WindowSnapshot MainWindow::snapshot() const
{
    WindowSnapshot window;
    if (isMinimized())
        window.show = WindowSnapshot::Show::Minimized;
    else if (isMaximized())
        window.show = WindowSnapshot::Show::Maximized;
    const QRect frame = frameGeometry();
    window.top = frame.top() * kTwipsPerPixel;
    window.left = frame.left() * kTwipsPerPixel;
    window.height = height() * kTwipsPerPixel;
    window.width = width() * kTwipsPerPixel;
    window.panel1Width = m_panes->splitterPosition();
    window.panel3Top = m_panes->queueHeight();
    window.dir = m_browserFolder;
    return window;
}
