// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the status row at the window's foot: six panels, the progress bar and the drag corner.
#include "window/statuspanels.h"

#include "controls/textprogressbar.h"
#include "store/ripsettings.h"
#include "store/settingscaptions.h"
#include "window/twipslayout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSizeGrip>

namespace {

QLabel *makePanel(QWidget *parent, const QString &name, const QString &role)
{
    auto *panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setAccessibleName(role);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    return panel;
}

void showOnPanel(QLabel *panel, const QString &text)
{
    panel->setText(text);
    panel->setAccessibleDescription(text);
}

TextProgressBar *makeProgressBar(QWidget *parent)
{
    auto *bar = new TextProgressBar(parent);
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setAccessibleName(QStringLiteral("Progress"));
    // The main window's own design of the control.
    bar->setShowText(true);
    bar->setForeColor(ControlColor(QColor(Qt::black)));
    bar->setBarColor(ControlColor(QColor(Qt::white)));
    bar->setPicture(QPixmap(QStringLiteral(":/controls/progress-back.png")));
    bar->setBarPicture(QPixmap(QStringLiteral(":/controls/progress-bar.png")));
    bar->setBackPictureMode(0);
    bar->setBarPictureMode(0);
    QFont barFont = parent->font();
    barFont.setPointSize(8);
    barFont.setBold(true);
    bar->setFont(barFont);
    bar->setText(QStringLiteral("0%"));
    return bar;
}

QWidget *makeCorner(QWidget *parent)
{
    auto *corner = new QSizeGrip(parent);
    corner->setObjectName(QStringLiteral("Picture1"));
    corner->setToolTip(QStringLiteral(" Drag corner "));
    corner->setAccessibleName(QStringLiteral("Drag corner"));
    return corner;
}

} // namespace

StatusPanels::StatusPanels(QWidget *client)
    : QObject(client)
    , m_totals(makePanel(client, QStringLiteral("totalsPanel"), QStringLiteral("Queue totals")))
    , m_archiveType(makePanel(client, QStringLiteral("archiveTypePanel"), QStringLiteral("Archive type")))
    , m_archiveSize(makePanel(client, QStringLiteral("archiveSizePanel"), QStringLiteral("Archive size")))
    , m_paths(makePanel(client, QStringLiteral("pathsPanel"), QStringLiteral("Paths")))
    , m_zip(makePanel(client, QStringLiteral("zipPanel"), QStringLiteral("Zip")))
    , m_ripto(makePanel(client, QStringLiteral("riptoPanel"), QStringLiteral("Rip-to folder")))
    , m_progress(makeProgressBar(client))
    , m_corner(makeCorner(client))
{
    m_ripto->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_ripto->setToolTip(QStringLiteral("Rip-to folder"));
    for (QLabel *panel : {m_totals, m_archiveType, m_archiveSize, m_paths, m_zip, m_ripto})
        panel->installEventFilter(this);
}

QString StatusPanels::totalsText() const
{
    return m_totals->text();
}

void StatusPanels::setTotalsText(const QString &text)
{
    showOnPanel(m_totals, text);
}

void StatusPanels::setVolumeSizeText(const QString &text)
{
    showOnPanel(m_archiveSize, text);
}

void StatusPanels::showSetting(SettingKey key, const RipSettings &settings)
{
    switch (key) {
    case SettingKey::Rarace: showOnPanel(m_archiveType, archiveTypeCaption(settings.rarace)); break;
    case SettingKey::Zip: showOnPanel(m_zip, zipCaption(settings.zip)); break;
    case SettingKey::Savepaths: showOnPanel(m_paths, pathsCaption(settings.savepaths)); break;
    case SettingKey::Riptodir: showOnPanel(m_ripto, ripToCaption(settings.riptodir)); break;
    default: break;
    }
}

void StatusPanels::setProgress(int value, const QString &text)
{
    m_progress->setValue(value);
    setProgressText(text);
}

// What the bar draws, said to screen readers as well.
void StatusPanels::setProgressText(const QString &text)
{
    m_progress->setText(text);
    m_progress->setAccessibleDescription(text);
}

void StatusPanels::place(const WindowLayout &layout, bool maximized)
{
    const std::pair<QWidget *, TwipsRect> row[] = {{m_totals, layout.totals},
                                                   {m_archiveType, layout.archiveType},
                                                   {m_archiveSize, layout.archiveSize},
                                                   {m_paths, layout.paths},
                                                   {m_zip, layout.zip},
                                                   {m_progress, layout.progress},
                                                   {m_ripto, layout.ripto},
                                                   {m_corner, layout.corner}};
    for (const auto &[widget, place] : row)
        widget->setGeometry(pixels(place));
    m_corner->setVisible(!maximized);
}

bool StatusPanels::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_totals) {
        emit listQueueRequested();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        pressed(watched, press->button() == Qt::LeftButton, press->globalPosition().toPoint());
    }
    return QObject::eventFilter(watched, event);
}

void StatusPanels::pressed(QObject *panel, bool left, const QPoint &at)
{
    if (panel == m_archiveSize) {
        emit volumeSizeStepped(left);
        return;
    }
    if (panel == m_totals)
        emit totalsPressed();
    if (left) {
        if (panel == m_ripto)
            emit ripToFolderRequested();
        else if (panel == m_archiveType)
            emit archiveTypeToggled();
        else if (panel == m_zip)
            emit zippingToggled();
        else if (panel == m_paths)
            emit savePathsToggled();
        return;
    }
    const std::pair<QObject *, Command> popups[] = {{m_ripto, Command::RipToPopup},
                                                    {m_zip, Command::ZipPopup},
                                                    {m_archiveType, Command::ArchivePopup},
                                                    {m_paths, Command::PathsPopup},
                                                    {m_totals, Command::QueueMenu}};
    for (const auto &[owner, popup] : popups)
        if (owner == panel)
            emit popupRequested(popup, at);
}
