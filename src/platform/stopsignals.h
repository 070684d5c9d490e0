// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — SIGINT, SIGTERM and SIGHUP turned into a stop request, headless or windowed.
#pragma once

#include <QObject>

class QSocketNotifier;

/** From now on SIGINT, SIGTERM and SIGHUP ask the program to stop instead of ending it. */
void catchStopSignals();
/** The stop signal caught, or 0; safe to poll from a run's checks. */
int caughtStopSignal();

/**
 * Catches the stop signals and tells the event loop about each one through a
 * pipe the handler writes to, since a handler may do nothing else safely.
 */
class StopSignalNotifier : public QObject
{
    Q_OBJECT

public:
    explicit StopSignalNotifier(QObject *parent = nullptr);

signals:
    void stopSignalCaught(int signal);

private:
    void drain();

    QSocketNotifier *m_notifier = nullptr;
};
