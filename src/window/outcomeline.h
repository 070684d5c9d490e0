// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the line at the window's foot that says how a run is going and how the last run or set test ended.
#pragma once

#include <QObject>

class QLabel;
class QMainWindow;

/**
 * Tells the outcome of a run or a set test without a modal box: a line in
 * the window's status bar that stays until the next command and that screen
 * readers read, and, while the window is not the active one, a desktop
 * notification saying the same. No notification service means no
 * notification, never an error.
 */
class OutcomeLine : public QObject
{
    Q_OBJECT

public:
    explicit OutcomeLine(QMainWindow &window);

    /** Shows `text`; `title` heads the notification. An empty text clears the line. */
    void tell(const QString &title, const QString &text);
    /** While a run works: how far it is, without a notification. */
    void showProgress(const QString &text);
    /** The next command begins: the line goes. */
    void clear();
    QString text() const;

private:
    void show(const QString &text);
    void notifyDesktop(const QString &title, const QString &text) const;

    QMainWindow &m_window;
    QLabel *m_line;
};
