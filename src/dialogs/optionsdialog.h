// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the options dialog: every default setting, edited live, loaded and saved.
#pragma once

#include "dialogs/optionsframes.h"
#include "store/optionsfile.h"

#include <QDialog>

class OptionsDialogHost;
class Queue;
struct RipSettings;

/**
 * "Default options" (`Form8`), shown modal. Every check box, option button,
 * the size bar and the three choosers change `settings` at once, re-place the
 * queue rows where placement depends on them and tell the host; the five
 * lists (view, sort, font size, both compressions) go into the settings when
 * the dialog closes, whichever way it closes. Only "&Save" (or Enter) writes
 * the options file.
 */
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    OptionsDialog(RipSettings &settings, Queue &queue, OptionsDialogHost &host, OptionsFile optionsFile,
                  QWidget *parent = nullptr);

    /** The rip-to chooser's answer: a folder the set cannot be written to falls back to home. */
    void chooseRipToFolder(const QString &folder);
    /** The temporary-folder chooser's answer; an unusable folder silently becomes the system's. */
    void chooseTempFolder(const QString &folder);
    /** The comment file chooser's answer; empty when it was cancelled. */
    void chooseCommentFile(const QString &path);

    /** Closing: the five lists into the settings and the window, then closed. */
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectControls();
    void connectChecks();
    void connectButtons();
    void showSettings(const RipSettings &shown);
    void selectLists(const RipSettings &shown, int view);
    void takeLists();
    void changed(SettingKey key);

    void onArchiveType(bool rar);
    void onZip(bool on);
    void onNfoFirst(bool firstOnly);
    void onZipComment(bool on);
    void onSize(int step);
    void onLoad();
    void onSave();
    void browseRipTo();
    void browseTemp();
    void browseComment();

    void showZipState();
    void showTempFolder();
    void showRipTo();
    void showComment(const QString &path);

    RipSettings &m_settings;
    Queue &m_queue;
    OptionsDialogHost &m_host;
    OptionsFile m_file;
    OptionsControls m_c;
};
