// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the status row at the window's foot: six panels, the progress bar and the drag corner.
#pragma once

#include "store/settingsschema.h"
#include "window/commandtable.h"

#include <QObject>
#include <QPoint>

class QLabel;
class QWidget;
class TextProgressBar;
struct RipSettings;
struct WindowLayout;

/**
 * The bottom row. It writes the captions that follow the settings and the
 * queue, carries the run's counter and progress, and turns presses on its
 * panels into requests; what a request changes is the window's to decide.
 *
 * A panel's accessible name stays its role ("Archive type") and its text
 * becomes its description, so a screen reader says both.
 */
class StatusPanels : public QObject
{
    Q_OBJECT

public:
    /** Builds the row as children of `client`. */
    explicit StatusPanels(QWidget *client);

    QString totalsText() const;
    void setTotalsText(const QString &text);
    void setVolumeSizeText(const QString &text);
    /** The caption `key` writes on its panel; nothing for a key without one. */
    void showSetting(SettingKey key, const RipSettings &settings);

    void setProgress(int value, const QString &text);
    void setProgressText(const QString &text);
    TextProgressBar *progressBar() const { return m_progress; }

    /** Every part in its place; a maximised window has no drag corner. */
    void place(const WindowLayout &layout, bool maximized);

signals:
    /** Any press on the totals panel, before the pop-up a right press asks for. */
    void totalsPressed();
    void listQueueRequested();
    void archiveTypeToggled();
    void zippingToggled();
    void savePathsToggled();
    void ripToFolderRequested();
    /** A left press steps the volume size up, a right one down. */
    void volumeSizeStepped(bool up);
    /** A right press asks for the panel's pop-up. */
    void popupRequested(Command popup, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pressed(QObject *panel, bool left, const QPoint &at);

    QLabel *m_totals;
    QLabel *m_archiveType;
    QLabel *m_archiveSize;
    QLabel *m_paths;
    QLabel *m_zip;
    QLabel *m_ripto;
    TextProgressBar *m_progress;
    QWidget *m_corner;
};
