// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one running program per user: a second start hands over to the first.
#include "app/singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>

#include <unistd.h>

namespace {
constexpr int kWaitMs = 1000;
const QByteArray kShowRequest = QByteArrayLiteral("show\n");
} // namespace

SingleInstance::SingleInstance(QString key, QObject *parent)
    : QObject(parent)
    , m_key(std::move(key))
{
}

QString SingleInstance::defaultKey()
{
    // One per user and display: a window on another display cannot come forward here.
    QString display = QString::fromLocal8Bit(qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ? qgetenv("WAYLAND_DISPLAY")
                                                                                          : qgetenv("DISPLAY"));
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    return QStringLiteral("varko2000-%1-%2").arg(getuid()).arg(display);
}

bool SingleInstance::claim()
{
    QLocalSocket other;
    other.connectToServer(m_key);
    if (other.waitForConnected(kWaitMs)) {
        other.write(kShowRequest);
        other.waitForBytesWritten(kWaitMs);
        other.disconnectFromServer();
        return false;
    }
    // Nobody answers: a socket file left by a program that crashed is stale.
    QLocalServer::removeServer(m_key);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    // Without a socket the program still runs, only without the hand-over.
    m_server->listen(m_key);
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        // The request may arrive with the hang-up: read it on either.
        auto readRequest = [this, socket] {
            if (socket->readAll().contains(kShowRequest))
                emit activationRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequest);
        connect(socket, &QLocalSocket::disconnected, this, [socket, readRequest] {
            readRequest();
            socket->deleteLater();
        });
    }
}
