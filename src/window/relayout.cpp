// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window following its size, its splitter and its queue pane, by the twips layout rules.
#include "window/mainwindow.h"
#include "window/panes.h"
#include "window/statuspanels.h"
#include "window/toprow.h"
#include "window/twipslayout.h"

#include <QLabel>
#include <QResizeEvent>
#include <QToolBar>

void MainWindow::relayout()
{
    // A minimised window is not laid out; every layout places the queue pane
    // afresh, so a restore needs nothing remembered.
    if (isMinimized())
        return;
    const QWidget *client = centralWidget();
    LayoutInput in;
    in.innerWidth = client->width() * kTwipsPerPixel;
    in.innerHeight = client->height() * kTwipsPerPixel;
    in.windowHeight = frameGeometry().height() * kTwipsPerPixel;
    in.queueHeight = m_panes->queueHeight();
    in.splitterPosition = m_panes->splitterPosition();
    in.maximized = isMaximized();
    const WindowLayout out = layoutWindow(in);

    m_topRow->place(out);
    m_panes->place(out);
    m_panels->place(out, in.maximized);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    relayout();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        relayout();
}
