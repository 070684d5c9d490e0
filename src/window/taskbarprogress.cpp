// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a run's progress on the program's taskbar or dock entry.
#include "window/taskbarprogress.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QVariantMap>

namespace {

// The entry is named by the program's desktop file, whose name start-up sets.
QString applicationUri()
{
    return QStringLiteral("application://") + QGuiApplication::desktopFileName() + QStringLiteral(".desktop");
}

void send(const QVariantMap &properties)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage update =
        QDBusMessage::createSignal(QStringLiteral("/org/varko2000/LauncherEntry"),
                                   QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    update << applicationUri() << properties;
    bus.send(update);
}

} // namespace

void TaskbarProgress::show(int percent)
{
    if (percent == std::exchange(m_shown, percent))
        return;
    send({{QStringLiteral("progress"), percent / 100.0},
          {QStringLiteral("progress-visible"), true},
          {QStringLiteral("busy"), true}});
}

void TaskbarProgress::clear()
{
    if (std::exchange(m_shown, -1) < 0)
        return;
    send({{QStringLiteral("progress-visible"), false}, {QStringLiteral("busy"), false}});
}
