// Varko 2000 — what the main window watches: the logo and file-list presses, the pointer rules, its pop-ups.
#include "window/mainwindow.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolBar>

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
    m_logo->installEventFilter(this);
    centralWidget()->setMouseTracking(true);
    centralWidget()->installEventFilter(this);
    m_toolbar->widgetForAction(toolbarButton(Tool::FindFile))->installEventFilter(this);
}

bool MainWindow::pointerEvent(QObject *watched, QEvent *event)
{
    // While a run works, the pointer over the window's own surface is the
    // hourglass; "Find file/folder" is where it turns back into the arrow.
    if (event->type() == QEvent::MouseMove && watched == centralWidget() && m_ripState.ripInProgress)
        setCursor(Qt::WaitCursor);
    else if (event->type() == QEvent::Enter && watched == m_toolbar->widgetForAction(toolbarButton(Tool::FindFile)))
        unsetCursor();
    else
        return false;
    return true;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The outcome line coming or going resizes the client area, not the window.
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        relayout();
    if (!pointerEvent(watched, event) && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (watched == m_logo && press->button() == Qt::LeftButton)
            showAbout();
        else if (watched == viewportOf(m_fileList) && press->button() != Qt::LeftButton)
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
