// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — a rip-run host with fixed answers that records what the run showed.
#pragma once

#include "engine/riphost.h"

#include <QMap>
#include <QStringList>

#include <functional>

// Questions, report and presentation in one, so a test sees the run's every call.
class ScriptedHost : public RunQuestions, public RunReport, public RunPresentation
{
public:
    QString baseName = QStringLiteral("rel");
    /** Answers by message text; unlisted messages get OK or Yes. */
    QMap<QString, QList<Message::Answer>> answers;
    /** Runs at every processEvents, as pending window events would. */
    std::function<void()> onEvents;
    std::function<void()> onStopAsked; ///< asked many times a second while the archiver works

    QList<Message> asked;
    int baseNameLimit = -1;
    QStringList totalsTexts;
    QString totals = QStringLiteral(" 3 - 10KB");
    QString progressText;
    bool busy = false;
    int sounds = 0;
    QList<SettingKey> changed;
    QStringList window;
    QStringList notes;

    Message::Answer ask(const Message &message) override
    {
        asked << message;
        QList<Message::Answer> &queued = answers[message.text];
        if (!queued.isEmpty())
            return queued.takeFirst();
        const bool yesNo =
            message.buttons == Message::Buttons::YesNo || message.buttons == Message::Buttons::YesNoCancel;
        return yesNo ? Message::Answer::Yes : Message::Answer::Ok;
    }
    QString askBaseName(int maxLength) override
    {
        baseNameLimit = maxLength;
        return baseName;
    }
    QString totalsPanelText() const override { return totals; }
    void setTotalsPanelText(const QString &text) override
    {
        totals = text;
        totalsTexts << text;
    }
    void setProgress(int, const QString &text) override { progressText = text; }
    void showEstimate(const QString &text) override { progressText = text; }
    void setBusyPointer(bool on) override { busy = on; }
    void centrePointer() override { }
    void deselectBrowser() override { }
    void settingChanged(SettingKey key) override { changed << key; }
    void stepAside(bool translucent) override { window << (translucent ? "hide" : "minimise"); }
    void stepBack(bool translucent) override { window << (translucent ? "show" : "restore"); }
    void showAfterZipError(bool opaque) override { window << (opaque ? "shown opaque" : "shown"); }
    void playCompletionSound() override { ++sounds; }
    void runEnded() override { }
    void processEvents() override
    {
        if (onEvents)
            onEvents();
    }
    void note(const QString &text, Note) override { notes << text; }
    bool stopRequested() const override
    {
        if (onStopAsked)
            onStopAsked();
        return false;
    }

    QStringList askedTexts() const
    {
        QStringList texts;
        for (const Message &m : asked)
            texts << m.text;
        return texts;
    }
};
