// Varko 2000 — the rip-run host of headless packing: fixed answers, everything told on standard error.
#pragma once

#include "engine/riphost.h"

#include <QTextStream>

/**
 * Answers every question OK or Yes and hands over the base name given on
 * the command line. Messages, the volume counter and the zip progress go to
 * standard error, prefixed with the program's name; nothing needs a display.
 */
class HeadlessHost : public RipHost
{
public:
    explicit HeadlessHost(QString baseName);

    Message::Answer ask(const Message &message) override;
    QString askBaseName(int maxLength) override;
    QString totalsPanelText() const override { return m_totals; }
    void setTotalsPanelText(const QString &text) override;
    void setProgress(int value, const QString &text) override;
    void setProgressText(const QString &) override {}
    void setBusyPointer(bool) override {}
    void centrePointer() override {}
    void deselectBrowser() override {}
    void settingChanged(SettingKey) override {}
    void stepAside(bool) override {}
    void stepBack(bool) override {}
    void showAfterZipError(bool) override {}
    void playCompletionSound() override {}
    void processEvents() override;
    void note(const QString &text) override;

private:
    QTextStream m_err;
    QString m_baseName;
    QString m_totals;
    int m_lastTenth = -1;
};
