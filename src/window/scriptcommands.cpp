// Varko 2000 — rip scripts from the File menu: New, Open, Save and Save as.
#include "browser/filebrowser.h"
#include "window/mainwindow.h"
#include "engine/queue.h"
#include "store/ripscript.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

void MainWindow::connectScriptCommands()
{
    onTriggered("newrip", [this] { newScript(); });
    onTriggered("newscript2", [this] { newScript(); });
    onTriggered("openscript", [this] { openScriptCommand(); });
    onTriggered("sscript", [this] { saveScript(); });
    onTriggered("saveasscript", [this] { saveScriptAsCommand(); });
}

QString MainWindow::askScriptPath(bool saving)
{
    if (saving)
        return QFileDialog::getSaveFileName(this, QStringLiteral("Varko 2000 - Save script as..."), m_browserFolder,
                                            QStringLiteral("Rip script (*.v2k)"));
    return QFileDialog::getOpenFileName(this, QStringLiteral("Varko 2000 - Open script..."),
                                        QDir(m_browserFolder).filePath(QStringLiteral("*.v2k")),
                                        QStringLiteral("Varko 2000 script (*.v2k)"));
}

void MainWindow::newScript()
{
    if (commandsLocked())
        return;
    // The queue as it is, written beside the browser's files; the caption and
    // the recent list stay until the script is opened or saved as.
    m_currentScript = newScriptPath(m_browserFolder);
    if (!saveScript())
        return;
    QCoreApplication::processEvents();
    if (m_browser)
        m_browser->selectNewFile(m_currentScript);
}

void MainWindow::openScriptCommand()
{
    if (commandsLocked())
        return;
    // A script selected in the browser opens as it is; anything else asks.
    QString path = m_selectedFile ? m_selectedFile() : QString();
    if (!path.endsWith(QStringLiteral(".v2k"), Qt::CaseInsensitive))
        path = askScriptPath(false);
    if (!path.isEmpty())
        openScript(path);
}

bool MainWindow::saveScript()
{
    if (commandsLocked() || m_currentScript.isEmpty())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const StoreResult written = writeScript(m_currentScript, m_settings, m_queue->rowPaths());
    QApplication::restoreOverrideCursor();
    // Saved or not, Save waits for the next open; a failed one says so.
    action(QStringLiteral("sscript"))->setEnabled(false);
    toolbarButton(4)->setEnabled(false);
    if (!written.ok)
        ask(Message::of(written));
    return written.ok;
}

void MainWindow::saveScriptAsCommand()
{
    if (commandsLocked())
        return;
    action(QStringLiteral("sscript"))->setEnabled(false);
    toolbarButton(4)->setEnabled(false);
    const QString chosen = askScriptPath(true);
    if (!chosen.isEmpty())
        saveScriptAs(scriptSaveAsPath(chosen));
}

bool MainWindow::saveScriptAs(const QString &path)
{
    m_currentScript = path;
    setWindowTitle(QStringLiteral("Varko 2000 - ") + path);
    addRecentScript(path);
    return saveScript();
}
