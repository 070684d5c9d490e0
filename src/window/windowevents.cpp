// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what the main window watches: its client area, the file list's pop-up press, Esc; its pop-ups.
#include "window/mainwindow.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {

QObject *viewportOf(QWidget *view)
{
    const auto *area = qobject_cast<QAbstractScrollArea *>(view);
    return area ? area->viewport() : nullptr;
}

} // namespace

void MainWindow::showPopup(Command popup, const QPoint &globalPos)
{
    QMenu *shown = menu(popup);
    if (shown && shown->menuAction()->isEnabled())
        shown->popup(globalPos);
}

void MainWindow::installEventFilters()
{
    centralWidget()->setMouseTracking(true);
    centralWidget()->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget()) {
        // The outcome line coming or going resizes the client area, not the window.
        if (event->type() == QEvent::Resize)
            relayout();
        // While a run works, the pointer over the window's own surface is the hourglass.
        else if (event->type() == QEvent::MouseMove && m_ripState.ripInProgress)
            setCursor(Qt::WaitCursor);
    } else if (event->type() == QEvent::MouseButtonPress && watched == viewportOf(fileList())) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() != Qt::LeftButton)
            showPopup(Command::FilePopup, press->globalPosition().toPoint());
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // Esc, when no control wanted it, asks the zip being written to stop.
    if (event->key() == Qt::Key_Escape) {
        m_ripState.zipAbortRequested = true;
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
