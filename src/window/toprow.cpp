// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the window's top row: the toolbar with the mode picture, the line under it and the logo.
#include "window/toprow.h"

#include "dialogs/modepicture.h"
#include "store/ripsettings.h"
#include "window/twipslayout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QToolBar>

namespace {

QToolBar *makeToolbar(QWidget *client)
{
    auto *toolbar = new QToolBar(client);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setAccessibleName(QStringLiteral("Toolbar"));
    toolbar->setIconSize(QSize(16, 16));
    return toolbar;
}

QWidget *makeFrame(QWidget *client)
{
    auto *frame = new QFrame(client);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    return frame;
}

QLabel *makeLogo(QWidget *client)
{
    auto *logo = new QLabel(client);
    logo->setObjectName(QStringLiteral("logoPanel"));
    logo->setAccessibleName(QStringLiteral("About Varko 2000"));
    logo->setToolTip(logo->accessibleName());
    logo->setPixmap(QIcon(QStringLiteral(":/app/icons/logo.svg")).pixmap(QSize(52, 22)));
    logo->setAlignment(Qt::AlignCenter);
    logo->setCursor(Qt::PointingHandCursor);
    return logo;
}

} // namespace

TopRow::TopRow(QWidget *client)
    : QObject(client)
    , m_toolbar(makeToolbar(client))
    , m_buttons(buildToolbar(m_toolbar))
    , m_frame(makeFrame(client))
    , m_logo(makeLogo(client))
{
    buildModePicture();
    connect(m_toolbar, &QToolBar::actionTriggered, this, [this](QAction *pressed) {
        const auto found = std::find(m_buttons.begin(), m_buttons.end(), pressed);
        if (found != m_buttons.end())
            emit buttonPressed(Tool(found - m_buttons.begin()));
    });
    m_logo->installEventFilter(this);
    m_toolbar->widgetForAction(button(Tool::FindFile))->installEventFilter(this);
}

void TopRow::buildModePicture()
{
    // At the toolbar's right end, beside the logo; a narrow window moves it
    // into the toolbar's overflow rather than over a button.
    auto *spacer = new QWidget(m_toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolbar->addWidget(spacer);
    m_modePicture = new QLabel(m_toolbar);
    m_modePicture->setObjectName(QStringLiteral("modePicture"));
    m_modePicture->setAccessibleName(QStringLiteral("Packing mode"));
    m_modeSlot = m_toolbar->addWidget(m_modePicture);
    m_modeSlot->setVisible(false);
}

void TopRow::showMode(const RipSettings &settings)
{
    const PackMode mode = packMode(settings);
    m_modePicture->setPixmap(modePixmap(mode, 20));
    m_modePicture->setToolTip(mode == PackMode::Zip       ? QStringLiteral("Zip")
                                  : mode == PackMode::Rar ? QStringLiteral("Rar")
                                                          : QStringLiteral("Ace"));
}

void TopRow::revealMode()
{
    m_modeSlot->setVisible(true);
}

void TopRow::place(const WindowLayout &layout)
{
    m_toolbar->setGeometry(pixels(layout.toolbar));
    m_frame->setGeometry(pixels(layout.frame1));
    m_logo->setGeometry(pixels(layout.logo));
}

bool TopRow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_logo && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        emit logoPressed();
    else if (watched != m_logo && event->type() == QEvent::Enter)
        emit findButtonEntered();
    return QObject::eventFilter(watched, event);
}
