// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rip-run host of headless packing: fixed answers, everything told on standard error.
#include "cli/headlesshost.h"

#include "platform/stopsignals.h"

#include <QCoreApplication>

#include <cstdio>

HeadlessHost::HeadlessHost(QString baseName, bool replaceZips, ProgressPrinter::Mode progress, bool quiet)
    : m_err(stderr)
    , m_baseName(std::move(baseName))
    , m_replaceZips(replaceZips)
    , m_quiet(quiet)
    , m_printer(progress)
{
}

void HeadlessHost::catchStopSignals()
{
    ::catchStopSignals();
}

int HeadlessHost::caughtSignal()
{
    return caughtStopSignal();
}

Message::Answer HeadlessHost::ask(const Message &message)
{
    const bool yesNo = message.buttons == Message::Buttons::YesNo || message.buttons == Message::Buttons::YesNoCancel;
    const bool refused = Message::isReplaceZips(message) && !m_replaceZips;
    const bool error = message.icon == Message::Icon::Critical || message.icon == Message::Icon::Exclamation;
    if (!m_quiet || error) {
        QString text = message.text;
        text.replace(u'\r', u' ');
        m_printer.makeRoom();
        m_err << "varko2000: " << message.title << ": " << text;
        if (refused)
            m_err << " (answered No: --replace replaces them)";
        else if (message.buttons != Message::Buttons::Ok)
            m_err << (yesNo ? " (answered Yes)" : " (answered OK)");
        m_err << Qt::endl;
    }
    if (refused)
        return Message::Answer::No;
    return yesNo ? Message::Answer::Yes : Message::Answer::Ok;
}

QString HeadlessHost::askBaseName(int)
{
    return m_baseName;
}

void HeadlessHost::setTotalsPanelText(const QString &text)
{
    m_totals = text;
}

void HeadlessHost::processEvents()
{
    QCoreApplication::processEvents();
}

void HeadlessHost::note(const QString &text, Note kind)
{
    if (m_quiet && kind != Note::Failure)
        return;
    m_printer.makeRoom();
    m_err << "varko2000: " << text << Qt::endl;
}
