// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one running program per user: a second start hands over to the first.
#pragma once

#include <QObject>

class QLocalServer;

/**
 * A per-user local socket. The first program to `claim` it listens; a later
 * one finds it taken, asks the first to come forward and is told to end.
 */
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    /** `key` names the socket; the default is per user and display. */
    explicit SingleInstance(QString key = defaultKey(), QObject *parent = nullptr);

    /** True when this is the only instance (it now listens); false when another one was asked to show itself. */
    bool claim();

    static QString defaultKey();

signals:
    /** A second start asked this instance to come forward restored. */
    void activationRequested();

private:
    void onNewConnection();

    QString m_key;
    QLocalServer *m_server = nullptr;
};
