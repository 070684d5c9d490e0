// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rip-run host of headless packing: fixed answers, everything told on standard error.
#include "cli/headlesshost.h"

#include "platform/stopsignals.h"

#include <QCoreApplication>

#include <cstdio>

HeadlessHost::HeadlessHost(QString baseName, bool replaceZips)
    : m_err(stderr)
    , m_baseName(std::move(baseName))
    , m_replaceZips(replaceZips)
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
    QString text = message.text;
    text.replace(u'\r', u' ');
    m_err << "varko2000: " << message.title << ": " << text;
    if (refused)
        m_err << " (answered No: --replace replaces them)";
    else if (message.buttons != Message::Buttons::Ok)
        m_err << (yesNo ? " (answered Yes)" : " (answered OK)");
    m_err << Qt::endl;
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
    // While the run zips, the panel shows the volume counter (" 2 of 5").
    if (text.contains(QStringLiteral(" of")))
        m_err << "varko2000: volume" << text << Qt::endl;
    m_totals = text;
    m_lastTenth = -1;
}

void HeadlessHost::setProgress(int value, const QString &text)
{
    // A line per tenth keeps a log readable; the bar itself moves by the percent.
    const int tenth = value / 10;
    if (value == 0 || tenth == m_lastTenth)
        return;
    m_lastTenth = tenth;
    m_err << "varko2000: " << text << Qt::endl;
}

void HeadlessHost::processEvents()
{
    QCoreApplication::processEvents();
}

void HeadlessHost::note(const QString &text, Note)
{
    m_err << "varko2000: " << text << Qt::endl;
}
