// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — "Pack It" from the main window: one rip run with the window as its host.
#pragma once

#include "engine/riphost.h"
#include "window/taskbarprogress.h"

#include <QElapsedTimer>
#include <Qt>

#include <optional>

class MainWindow;
class QLabel;
class TextProgressBar;

/**
 * The window's side of a rip run: its message boxes and base-name dialog,
 * the totals panel and progress bar, the pointer, and getting out of the
 * way while the archiver works (hidden with the other windows translucent,
 * or minimised). The commands that would change what the run walks are
 * locked from its making until the run has ended.
 */
class WindowRipHost : public RunQuestions, public RunReport, public RunPresentation
{
public:
    explicit WindowRipHost(MainWindow &window);
    ~WindowRipHost() override;
    WindowRipHost(const WindowRipHost &) = delete;
    WindowRipHost &operator=(const WindowRipHost &) = delete;

    Message::Answer ask(const Message &message) override;
    QString askBaseName(int maxLength) override;

    QString totalsPanelText() const override;
    void setTotalsPanelText(const QString &text) override;
    void setProgress(int value, const QString &text) override;
    void progressed(const RunProgress &progress) override;
    void processEvents() override;
    /** A stop signal caught; checked even while the archiver runs and no event is handled. */
    bool stopRequested() const override;
    void note(const QString &text, Note kind) override;

    void setBusyPointer(bool busy) override;
    void centrePointer() override;
    void deselectBrowser() override;
    void settingChanged(SettingKey key) override;
    void stepAside(bool translucent) override;
    void stepBack(bool translucent) override;
    void showAfterZipError(bool opaque) override;
    void showEstimate(const QString &text) override;
    void playCompletionSound() override;
    void runEnded() override;

private:
    // The window's own widgets and state the run shows on; each reached in one place.

    void unlockCommands();
    bool layered(bool translucent) const;
    void setOthersTranslucent(bool translucent);

    MainWindow &m_window;
    Qt::WindowStates m_savedState;
    bool m_busy = false;
    bool m_locked = true;
    std::optional<bool> m_asideTranslucent; ///< set while stepped aside
    TaskbarProgress m_taskbar;
    QElapsedTimer m_toldProgress; ///< since the progress line last changed
};

/**
 * Toolbar 23 and "Pack it": the run over the window's queue and settings,
 * the commands that would change them locked meanwhile. The one place the
 * window starts a run.
 */
void packFromWindow(MainWindow &window);
