// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the line at the window's foot that says how a run is going and how the last run or set test ended.
#include "window/outcomeline.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

OutcomeLine::OutcomeLine(QMainWindow &window)
    : QObject(&window)
    , m_window(window)
    , m_line(new QLabel(window.statusBar()))
{
    QStatusBar *bar = window.statusBar();
    bar->setObjectName(QStringLiteral("outcomeBar"));
    bar->setAccessibleName(QStringLiteral("Outcome"));
    bar->setSizeGripEnabled(false);
    m_line->setObjectName(QStringLiteral("runOutcome"));
    m_line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addWidget(m_line, 1);
    bar->hide();
}

void OutcomeLine::tell(const QString &title, const QString &text)
{
    if (text.isEmpty()) {
        clear();
        return;
    }
    show(text);
    if (!m_window.isActiveWindow())
        notifyDesktop(title, text);
}

void OutcomeLine::showProgress(const QString &text)
{
    show(text);
}

void OutcomeLine::show(const QString &text)
{
    m_line->setText(text);
    // The name is what a screen reader says first; the text alone would leave it to guess.
    m_line->setAccessibleName(text);
    m_line->setToolTip(text);
    m_window.statusBar()->show();
}

void OutcomeLine::clear()
{
    if (m_line->text().isEmpty())
        return;
    m_line->clear();
    m_line->setAccessibleName(QString());
    m_window.statusBar()->hide();
}

QString OutcomeLine::text() const
{
    return m_line->text();
}

void OutcomeLine::notifyDesktop(const QString &title, const QString &text) const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << QStringLiteral("Varko 2000") << uint(0) << QStringLiteral("varko2000") << title << text << QStringList()
           << QVariantMap() << int(-1);
    // Sent without waiting for the reply: a desktop with no notification service shows nothing.
    bus.send(notify);
}
