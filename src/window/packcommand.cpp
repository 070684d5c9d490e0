// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — "Pack It" from the main window: one rip run with the window as its host.
#include "window/packcommand.h"

#include "controls/textprogressbar.h"
#include "dialogs/basenamedialog.h"
#include "engine/packsession.h"
#include "engine/queue.h"
#include "engine/runsummary.h"
#include "platform/stopsignals.h"
#include "store/setextras.h"
#include "window/mainwindow.h"
#include "window/outcomeline.h"
#include "window/statuspanels.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>

namespace {

constexpr double kTranslucentOpacity = 180.0 / 255.0;

// Said where the person looks once the window is back, whichever way the run ended.
void tellOutcome(MainWindow &window, const PackSession &session)
{
    const RunSummary summary = session.summary();
    window.outcomeLine().tell(runSummaryTitle(session.result(), summary), runSummaryText(session.result(), summary));
}

} // namespace

WindowRipHost::WindowRipHost(MainWindow &window)
    : m_window(window)
{
    m_window.lockCommands(true);
}

WindowRipHost::~WindowRipHost()
{
    unlockCommands();
}

void WindowRipHost::unlockCommands()
{
    if (std::exchange(m_locked, false))
        m_window.lockCommands(false);
}

// A question waiting behind another program's window is found by the taskbar entry asking for attention.
Message::Answer WindowRipHost::ask(const Message &message)
{
    QApplication::alert(&m_window);
    return m_window.ask(message);
}

QString WindowRipHost::askBaseName(int maxLength)
{
    QApplication::alert(&m_window);
    return BaseNameDialog::ask(&m_window, maxLength);
}

QString WindowRipHost::totalsPanelText() const
{
    return m_window.panels().totalsText();
}

void WindowRipHost::setTotalsPanelText(const QString &text)
{
    m_window.panels().setTotalsText(text);
}

void WindowRipHost::setProgress(int value, const QString &text)
{
    m_window.panels().setProgress(value, text);
}

// The line at the foot changes twice a second at most: faster, nobody could read it.
void WindowRipHost::progressed(const RunProgress &progress)
{
    m_taskbar.show(progress.percent);
    if (m_toldProgress.isValid() && m_toldProgress.elapsed() < 500)
        return;
    m_toldProgress.start();
    m_window.outcomeLine().showProgress(progressLineText(progress));
}

void WindowRipHost::showEstimate(const QString &text)
{
    m_window.panels().setProgressText(text);
}

void WindowRipHost::setBusyPointer(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    busy ? QApplication::setOverrideCursor(Qt::WaitCursor) : QApplication::restoreOverrideCursor();
}

void WindowRipHost::centrePointer()
{
    m_window.placePointer({0, 30});
}

void WindowRipHost::deselectBrowser()
{
    if (auto *list = qobject_cast<QAbstractItemView *>(m_window.fileList()))
        list->clearSelection();
}

void WindowRipHost::settingChanged(SettingKey key)
{
    m_window.mirrorSetting(key, m_window.settings(), SettingsMirrors::Origin::OptionsFile);
}

bool WindowRipHost::layered(bool translucent) const
{
    return translucent && m_window.layeringAvailable();
}

void WindowRipHost::setOthersTranslucent(bool translucent)
{
    for (QWidget *other : QApplication::topLevelWidgets())
        if (other != &m_window && other->isVisible())
            other->setWindowOpacity(translucent ? kTranslucentOpacity : 1.0);
}

void WindowRipHost::stepAside(bool translucent)
{
    m_savedState = m_window.windowState();
    m_asideTranslucent = translucent;
    if (layered(translucent)) {
        setOthersTranslucent(true);
        processEvents();
        m_window.hide();
    } else {
        m_window.showMinimized();
    }
}

void WindowRipHost::stepBack(bool translucent)
{
    m_asideTranslucent.reset();
    if (layered(translucent)) {
        m_window.show();
        setOthersTranslucent(false);
    } else {
        m_window.setWindowState(m_savedState);
        m_window.show();
    }
    m_window.repaint();
}

void WindowRipHost::showAfterZipError(bool opaque)
{
    m_asideTranslucent.reset();
    m_window.setWindowState(m_savedState);
    m_window.show();
    if (opaque)
        setOthersTranslucent(false);
}

void WindowRipHost::playCompletionSound()
{
    m_window.playCompletionSound();
}

void WindowRipHost::processEvents()
{
    QApplication::processEvents();
}

bool WindowRipHost::stopRequested() const
{
    return caughtStopSignal() != 0;
}

// The window's own notes (the outcome line) say the rest; a failure needs the person's attention.
void WindowRipHost::note(const QString &text, Note kind)
{
    if (kind == Note::Failure)
        ask({text, QStringLiteral("Varko 2000 error"), Message::Icon::Exclamation, Message::Buttons::Ok});
}

void WindowRipHost::runEnded()
{
    m_taskbar.clear();
    setBusyPointer(false);
    m_window.unsetCursor(); // the hourglass a move over the window set meanwhile
    // A window closed meanwhile stays closed.
    if (m_asideTranslucent && !m_window.closing())
        stepBack(*m_asideTranslucent);
    unlockCommands();
}

void packFromWindow(MainWindow &window)
{
    if (window.commandsLocked())
        return;
    RipEnvironment environment = RipEnvironment::standard();
    environment.dataFolder = window.dataFolder();
    PackOptions options;
    // A switch flipped while the run works counts.
    options.writeSfv = &SetExtras::writeSfv;
    options.par2Percent = [] { return SetExtras::writePar2() ? SetExtras::redundancy() : 0; };
    PackSession session = window.newPackSession(std::move(options), environment);
    // A comment file that cannot be read gives zips without a comment, as the options dialog left it.
    session.loadZipComment();
    WindowRipHost host(window);
    session.pack(host);
    tellOutcome(window, session);
}
