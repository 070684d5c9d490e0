// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — finding files by name below a folder.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTreeView;

/**
 * Finds the files and folders below a folder whose names match a pattern
 * with wildcards ("*.nfo", several separated by ';'), case-insensitively,
 * in its subfolders too when asked; symbolic links to folders are not
 * followed. The search runs on the window's thread and keeps the window
 * alive; "Stop" ends it. Results drag out as file URLs like the browser's
 * items; a double click or Enter asks for the item to be opened. Deletes
 * itself when closed.
 */
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    FindDialog(const QString &folder, QWidget *parent);

    /** The full paths found by the last search, in the order found. */
    QStringList results() const;

public slots:
    void search();
    void stop();

signals:
    void openRequested(const QString &path);

private:
    void nameControls();
    void setUpResults();
    void layOut(const QString &folder);
    void addResult(const QString &path);

    QString m_folder;
    QLineEdit *m_pattern;
    QCheckBox *m_subfolders;
    QPushButton *m_find;
    QPushButton *m_stop;
    QLabel *m_status;
    QStandardItemModel *m_model;
    QTreeView *m_view;
    bool m_searching = false;
    bool m_stopRequested = false;
};
