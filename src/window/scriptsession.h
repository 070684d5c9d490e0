// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the rip script the window works on: New, Open, Save, Save as and the recent list.
#pragma once

#include "engine/message.h"
#include "store/recentfilelist.h"

#include <QObject>

#include <array>
#include <functional>

class QAction;
class Queue;
struct RipSettings;

/** What the script commands ask of the window they serve. */
class ScriptSessionHost
{
public:
    /** A run or a drop holds the queue: every script command is refused. */
    virtual bool commandsLocked() const = 0;
    /** The file dialog of Open script (false) or Save script as (true); empty when cancelled. */
    virtual QString askScriptPath(bool saving) = 0;
    virtual Message::Answer ask(const Message &message) = 0;
    /** Where New writes its script. */
    virtual QString browserFolder() const = 0;

protected:
    ~ScriptSessionHost() = default;
};

/**
 * The current script and the recent list, and the File menu's entries that
 * follow them: Save (with its toolbar twin), Save as and the four recent
 * entries with the separator below them.
 */
class ScriptSession : public QObject
{
    Q_OBJECT

public:
    /** Reads a rip script into the queue and the settings; false when it cannot. */
    using Opener = std::function<bool(const QString &path)>;

    struct Entries
    {
        QAction *save;
        QAction *saveButton;
        QAction *saveAs;
        std::array<QAction *, 4> recent;
        QAction *recentSeparator;
    };

    ScriptSession(Queue &queue, const RipSettings &settings, ScriptSessionHost &host, Entries entries, QObject *parent);

    void setOpener(Opener opener) { m_opener = std::move(opener); }
    QString currentScript() const { return m_current; }
    const RecentFileList &recentScripts() const { return m_recent; }

    /** "New rip script": the queue as it is, written beside the browser's files. */
    void newScript();
    /** "Open script...": `selected` when it is a script, else the one the dialog names. */
    void openChosen(const QString &selected);
    /** Opens a script as start-up and the recent entries do; false after "couldn't be loaded". */
    bool open(const QString &path);
    /** Recent entry 1 to 4; one that has moved says so and is not opened. */
    void openRecent(int entry);
    bool save();
    void saveAsChosen();
    /** Saves the queue and the settings to `path`, which becomes the current script. */
    bool saveAs(const QString &path);
    /** Save waits for the next open. */
    void disableSave();
    /** The queue was cleared: nothing to save, and the list's top entry is no longer the one shown. */
    void queueCleared();

    /** The list as the last session left it; not shown until showRecent(). */
    void loadRecent();
    /** The recent entries and their separator as the list stands. */
    void showRecent();
    void addRecent(const QString &path);
    /** Writes the list where the next start reads it. */
    void saveRecent() const;

signals:
    /** The window's title names this script. */
    void scriptNamed(const QString &path);
    /** Reading begins: the browser may show the script's folder. */
    void opening(const QString &path);
    void opened();
    /** A script that could not be read leaves the queue empty. */
    void openFailed();
    /** New wrote this file beside the browser's files. */
    void created(const QString &path);

private:
    Queue &m_queue;
    const RipSettings &m_settings;
    ScriptSessionHost &m_host;
    Entries m_entries;
    Opener m_opener;
    QString m_current;
    RecentFileList m_recent;
};
