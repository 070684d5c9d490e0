// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the splash window, which doubles as the About box.
#include "window/splashwindow.h"

#include "version.h"

#include <QBitmap>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {
constexpr int kAboutMilliseconds = 5000;
}

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_picture(QStringLiteral(":/app/splash.svg"))
{
    setObjectName(QStringLiteral("Form4"));
    setAccessibleName(QStringLiteral("About Varko 2000"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(m_picture.size());
    // The window takes the shape of its picture where the window system can shape windows.
    if (!m_picture.isNull())
        setMask(m_picture.mask());

    auto *label = new QLabel(versionLabel(), this);
    label->setObjectName(QStringLiteral("Label3"));
    label->setAccessibleName(label->text());
    label->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    label->adjustSize();
    label->move(width() - label->width() - 80, height() - label->height() - 30); // clear of the cut corner

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(kAboutMilliseconds);
}

QString SplashWindow::versionLabel()
{
    return QStringLiteral("v" VARKO_VERSION);
}

void SplashWindow::showForAbout(const std::function<void()> &onShown)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
    if (onShown)
        onShown();
    QEventLoop wait;
    connect(m_timer, &QTimer::timeout, &wait, &QEventLoop::quit);
    m_timer->start();
    wait.exec();
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}
