// Varko 2000 — the browser list's view style, sort and font size, and the pop-ups of the panels.
#include "window/mainwindow.h"
#include "store/settingscaptions.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolBar>
#include <QTreeView>

namespace {

const QStringList kViewEntries{QStringLiteral("largei"), QStringLiteral("listi"), QStringLiteral("details")};
const QStringList kPopupViewEntries{QStringLiteral("fvlarge"), QStringLiteral("fvlist"), QStringLiteral("fvdetails")};
const QStringList kSortEntries{QStringLiteral("aname"), QStringLiteral("asize"), QStringLiteral("atype"),
                               QStringLiteral("adate"), QStringLiteral("aname2"), QStringLiteral("asize2"),
                               QStringLiteral("atype2"), QStringLiteral("adate2")};
const QStringList kFontEntries{QStringLiteral("fnorm"), QStringLiteral("flarge"), QStringLiteral("biggest")};
constexpr int kViewStyles[] = {0, 2, 3};
constexpr int kFontSizes[] = {8, 10, 12};

QObject *viewportOf(QWidget *view)
{
    const auto *area = qobject_cast<QAbstractScrollArea *>(view);
    return area ? area->viewport() : nullptr;
}

int indexOf(std::span<const int> values, int value)
{
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? -1 : int(found - values.begin());
}

} // namespace

void MainWindow::connectViewCommands()
{
    for (int i = 0; i < 3; ++i) {
        connect(action(kViewEntries.at(i)), &QAction::triggered, this, [this, i] { setViewStyle(kViewStyles[i]); });
        connect(action(kPopupViewEntries.at(i)), &QAction::triggered, this,
                [this, i] { setViewStyle(kViewStyles[i], true); });
        connect(action(kFontEntries.at(i)), &QAction::triggered, this, [this, i] { setFontSize(kFontSizes[i]); });
    }
    for (int i = 0; i < kSortEntries.size(); ++i)
        connect(action(kSortEntries.at(i)), &QAction::triggered, this, [this, i] { setSortColumn(i % 4 + 1); });
    for (const char *name : {"refresh", "refresh3"})
        connect(action(QLatin1String(name)), &QAction::triggered, this, &MainWindow::browserRefreshRequested);
    // The pop-up's View marks follow the View menu each time it opens.
    connect(menu(QStringLiteral("viewfile")), &QMenu::aboutToShow, this, [this] {
        for (int i = 0; i < 3; ++i)
            action(kPopupViewEntries.at(i))->setChecked(action(kViewEntries.at(i))->isChecked());
    });
}

void MainWindow::setViewStyle(int style, bool fromPopup)
{
    m_viewStyle = style;
    const int index = indexOf(kViewStyles, style);
    setCheckedGroup(kViewEntries, index);
    if (fromPopup)
        setCheckedGroup(kPopupViewEntries, index);
    for (int i = 0; i < 3; ++i)
        toolbarButton(8 + i)->setChecked(i == index);
    emit browserViewStyleChanged(style);
}

void MainWindow::setSortColumn(int column)
{
    m_sortColumn = column;
    m_settings.sort = QString::number(column);
    setCheckedGroup(kSortEntries.mid(0, 4), column - 1);
    setCheckedGroup(kSortEntries.mid(4), column - 1);
    emit browserSortChanged(column);
}

void MainWindow::setFontSize(int points)
{
    m_settings.fonts = QString::number(points);
    for (QWidget *view : {m_folderTree, m_fileList, m_queueView}) {
        QFont font = view->font();
        font.setPointSize(points);
        view->setFont(font);
    }
    setCheckedGroup(kFontEntries, indexOf(kFontSizes, points));
}

void MainWindow::applyViewSettings()
{
    setFontSize(startupFontSize(m_settings.fonts).toInt());
    setViewStyle(m_settings.view.trimmed().toInt());
    const int sort = m_settings.sort.trimmed().toInt();
    if (sort >= 1 && sort <= 4)
        setSortColumn(sort);
    else
        setCheckedGroup(kSortEntries, -1);
}

void MainWindow::showPopup(const QString &name, const QPoint &globalPos)
{
    QMenu *popup = menu(name);
    if (popup && popup->menuAction()->isEnabled())
        popup->popup(globalPos);
}

void MainWindow::connectPopups()
{
    m_logo->installEventFilter(this);
    centralWidget()->setMouseTracking(true);
    centralWidget()->installEventFilter(this);
    m_toolbar->widgetForAction(toolbarButton(21))->installEventFilter(this);
}

bool MainWindow::pointerEvent(QObject *watched, QEvent *event)
{
    // While a run works, the pointer over the window's own surface is the
    // hourglass; "Find file/folder" is where it turns back into the arrow.
    if (event->type() == QEvent::MouseMove && watched == centralWidget() && m_ripState.ripInProgress)
        setCursor(Qt::WaitCursor);
    else if (event->type() == QEvent::Enter && watched == m_toolbar->widgetForAction(toolbarButton(21)))
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
    if (pointerEvent(watched, event))
        return QMainWindow::eventFilter(watched, event);
    if (event->type() != QEvent::MouseButtonPress)
        return QMainWindow::eventFilter(watched, event);
    const auto *press = static_cast<QMouseEvent *>(event);
    if (watched == m_logo && press->button() == Qt::LeftButton)
        about_Click();
    else if (watched == viewportOf(m_fileList) && press->button() != Qt::LeftButton)
        showPopup(QStringLiteral("filepop"), press->globalPosition().toPoint());
    return QMainWindow::eventFilter(watched, event);
}
