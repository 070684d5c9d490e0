// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the main window: the owner of the settings, the queue, the run state and the window's parts.
#pragma once

#include "engine/message.h"
#include "engine/ripstate.h"
#include "store/ripsettings.h"
#include "store/settingsschema.h"
#include "store/windowstate.h"
#include "window/commandbuilder.h"
#include "window/scriptsession.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class CommandLock;
class FileBrowser;
class HelpWindow;
class OutcomeLine;
class Panes;
class Queue;
class QueueDropTarget;
class QueueView;
class PackSession;
struct PackOptions;
class SoundPlayer;
class StatusPanels;
class TextProgressBar;
class TopRow;
class ViewMenu;
struct RipEnvironment;

/** What start-up is given from outside the window. */
struct StartOptions
{
    QString dataFolder; ///< where options.ini and varko2k.ini live
    QString scriptArgument; ///< the command line's script, a leading "!" still on it
    ScreenTwips screen; ///< the screen size in twips
};

/**
 * The program's one main window. It owns the settings record, the queue and
 * the run state for the life of the program and hands them out to read; its
 * own commands change them, and a pack session it starts (newPackSession()).
 *
 * Its parts are collaborators it owns: the menus built from the command
 * table, the TopRow (toolbar, mode picture, logo), the Panes (browser and
 * queue), the StatusPanels (the bottom row), the ScriptSession (current
 * script and recent list), the ViewMenu and the CommandLock. It mirrors the
 * settings into the panels' captions and the menus' check marks.
 *
 * Every menu entry and toolbar button is a QAction named as in the command
 * table, and a toolbar button with a menu twin runs that entry, so
 * connecting to the entry's `triggered` serves both.
 */
class MainWindow : public QMainWindow, public SettingsMirrors, private ScriptSessionHost
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    /** The start-up steps: state file, settings, views, captions, recent list or script. */
    void start(const StartOptions &options);

    /** An entry or a toolbar action by its object name, as tests and the browser find them. */
    QAction *action(const QString &objectName) const;
    QMenu *menu(const QString &objectName) const;

    QWidget *fileList() const;
    QWidget *queueView() const;
    QueueDropTarget *dropTarget() const { return m_dropTarget; }
    /** What the window works on, to read: only its own commands and a run it starts change them. */
    const Queue &queue() const { return *m_queue; }
    const RipSettings &settings() const { return m_settings; }
    const RipState &ripState() const { return m_ripState; }
    /**
     * A pack session over the window's queue, settings and run state, its run
     * stepping by the volume size set; the one way anything outside the window
     * changes them. The window's run host locks the commands while it packs.
     */
    PackSession newPackSession(PackOptions options, RipEnvironment environment);
    /** The current script and the recent list, with New, Open and Save. */
    ScriptSession &scripts() { return *m_scripts; }
    QString dataFolder() const { return m_dataFolder; }
    bool layeringAvailable() const { return m_layeringAvailable; }
    /** The browser's folder: the state file's at start (home when it is gone), kept by the browser. */
    QString browserFolder() const override { return m_browserFolder; }
    void setBrowserFolder(const QString &folder) { m_browserFolder = folder; }

    void mirrorSetting(SettingKey key, const RipSettings &settings, Origin origin) override;
    /** The totals panel and the estimate on the progress bar from the queue's totals. */
    void refreshTotals();
    /** The mode picture after the zip and archive-type panels: Zip, else Rar or Ace. */
    void updateModePicture();
    /** Where the last run or set test says how it ended. */
    OutcomeLine &outcomeLine() const { return *m_outcome; }
    /** The status row: the run's counter and progress are shown there. */
    StatusPanels &panels() { return *m_panels; }
    /** The progress bar the run and the set test report on. */
    TextProgressBar *progressBar() const;
    /** Shutdown has begun: a run winding down leaves the window closed. */
    bool closing() const { return m_closing; }
    /**
     * A run or a drop holds the queue: the commands that would change the
     * queue, the settings or the current script are refused meanwhile.
     */
    bool commandsLocked() const override;
    /** Nested: the entries those commands sit behind are disabled until the last unlock. */
    void lockCommands(bool locked);
    /** "Clear queue...": false when refused. */
    bool clearQueue();
    /** Every message box built from one of the system's messages; the button pressed. */
    Message::Answer ask(const Message &message) override;

    /**
     * The rip-to folder as the chooser sets it: a folder with free space that
     * can be read, else the home folder and "Invalid drive/folder". Changes
     * the setting in memory only.
     */
    bool setRipToFolder(const QString &folder);
    void playCompletionSound();
    /** The pointer to the window centre plus `offset` pixels. */
    void placePointer(QPoint offset = {});
    /** The View menu: the browser's view style and sort, the panes' font size. */
    ViewMenu &views() { return *m_views; }

protected:
    /** The file dialog of Open script (false) or Save script as (true); empty when cancelled. */
    QString askScriptPath(bool saving) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWidgets();
    /** The lock, the script session and the View menu, over the entries buildWidgets() made. */
    void buildCollaborators();
    /** Every caption and check mark that follows the settings. */
    void mirrorAllSettings();
    /** Reads options.ini again over the settings in memory, captions and check marks following. */
    void reloadOptions();
    void removeQueueItem();
    /** "List queue...": cue.txt in the data folder, opened in $VARKO_EDITOR or the desktop's handler. */
    void listQueue();
    void showAbout();
    /** The folder chooser, then setRipToFolder(); cancelled, the folder stays. */
    void chooseRipToFolder();
    void openHelp();
    /** Puts the browser's folder tree and file list into `browserSplitter`, replacing the current ones. */
    void installBrowser(QWidget *folderTree, QWidget *fileList);
    /** Puts the queue view into `queueSplitter`, replacing the current one. */
    void installQueueView(QWidget *queueView);
    /** A right press on the file list asks for its pop-up through eventFilter(). */
    void watchFileList();
    /** The file browser into `browserSplitter`, wired to the window's commands. */
    void installFileBrowser();
    bool browserHasSelection() const;
    void buildPanes(QWidget *client);
    void connectPanels();
    void connectCommands();
    /** A toolbar button pressed: its own rule, else its menu twin runs. */
    void pressToolbarButton(Tool button);
    void runTwin(const ToolbarRow &row);
    void closeOrStopRun();
    void packIt();
    void connectSettingCommands();
    /** The client area reports to eventFilter(). */
    void installEventFilters();
    QAction *action(Command id) const { return m_commands.action(id); }
    QMenu *menu(Command id) const { return m_commands.menu(id); }
    QAction *toolbarButton(Tool id) const;
    template <typename Slot> void onTriggered(Command id, Slot slot)
    {
        connect(action(id), &QAction::triggered, this, slot);
    }
    /** The entries behind which the queue, the settings or the current script change, with their buttons. */
    QList<QAction *> lockedEntries() const;
    void connectQueueCommands();
    void connectPlacementCommands();
    void connectScriptCommands();
    void connectQueueView(QueueView *view);
    void enableDroppedQueue();
    void emptyQueueReset();
    void updateQueueMenu();
    void enableRowEntries();
    void showItemProperties();
    int selectedRow() const;
    void setArchiveType(bool rar);
    void setZipping(bool on);
    void setSavePaths(bool on);
    static constexpr Command kPlacementEntries[] = {Command::InArchive, Command::InZip, Command::InFirstZip};
    void placeSelected(Command entry);
    void toggleArchiveType();
    void stepVolumeSize(bool up);
    void relayout();
    void applyPlacement(const WindowPlacement &placement, ScreenTwips screen);
    void startWithScript(const QString &argument);
    void shutDown();
    void showPopup(Command popup, const QPoint &globalPos);
    WindowSnapshot snapshot() const;
    /** The browser to the folder of `script`, when it is a folder and not the one shown. */
    void showScriptFolder(const QString &script);

    RipSettings m_settings;
    RipState m_ripState;
    Queue *m_queue = nullptr;
    QString m_dataFolder;
    QString m_browserFolder;
    ScreenTwips m_screen;
    bool m_started = false;
    bool m_layeringAvailable = false;
    bool m_closing = false;
    QPoint m_pendingOffset;
    std::unique_ptr<CommandLock> m_lock;

    CommandActions m_commands;
    TopRow *m_topRow = nullptr;
    Panes *m_panes = nullptr;
    FileBrowser *m_browser = nullptr;
    QueueDropTarget *m_dropTarget = nullptr;
    StatusPanels *m_panels = nullptr;
    ScriptSession *m_scripts = nullptr;
    ViewMenu *m_views = nullptr;
    QPointer<HelpWindow> m_help;
    SoundPlayer *m_sounds = nullptr;
    OutcomeLine *m_outcome = nullptr;
};
