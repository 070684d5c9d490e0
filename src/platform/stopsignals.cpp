// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — SIGINT, SIGTERM and SIGHUP turned into a stop request, headless or windowed.
#include "platform/stopsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Written by the signal handler, read by the run's stop checks and the event
// loop: the only ways a handler may talk to the program.
volatile std::sig_atomic_t caught = 0;
int pipeEnds[2] = {-1, -1};

void onStopSignal(int signal)
{
    caught = signal;
    const int savedErrno = errno;
    const char byte = char(signal);
    // Non-blocking: a full pipe already holds a wake-up.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

void catchStopSignals()
{
    if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        pipeEnds[0] = pipeEnds[1] = -1;
    struct sigaction action
    {
    };
    action.sa_handler = onStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

int caughtStopSignal()
{
    return caught;
}

StopSignalNotifier::StopSignalNotifier(QObject *parent)
    : QObject(parent)
{
    catchStopSignals();
    if (pipeEnds[0] < 0)
        return; // no pipe: the run's checks still see the signal
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignalNotifier::drain);
}

void StopSignalNotifier::drain()
{
    char bytes[16];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) { }
    emit stopSignalCaught(caught);
}
