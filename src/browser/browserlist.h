// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the browser's file list: one place, three view styles.
#pragma once

#include <QStackedWidget>

class QAbstractItemView;
class QItemSelectionModel;
class QKeyEvent;
class QListView;
class QModelIndex;
class QTreeView;
class BrowserModel;

/**
 * The `fileList`: large icons and list are one list view, details a tree
 * view with the columns; both show the same model and share one selection,
 * so switching the style keeps what is selected. Items drag out (never in).
 * Reports a mouse press, the pop-up request and the keyboard focus leaving
 * the list as a whole, whichever view has it, and the keys of a desktop
 * file manager: Enter, Delete, Ctrl+C, Ctrl+X, Ctrl+V, Backspace and Alt+Up.
 */
class BrowserList : public QStackedWidget
{
    Q_OBJECT

public:
    /** The view styles, by the numbers the settings keep. */
    static constexpr int LargeIcons = 0;
    static constexpr int List = 2;
    static constexpr int Details = 3;

    /** What a file manager's keys ask of the list (Ctrl+A and F2 the views do themselves). */
    enum class Key { Open, Delete, Copy, Cut, Paste, Up };

    explicit BrowserList(QWidget *parent);

    /** Shows `model`; the views share the selection model this returns. */
    QItemSelectionModel *setBrowserModel(BrowserModel *model);
    QAbstractItemView *currentView() const;

    int viewStyle() const { return m_style; }
    /** Any other number than the three styles leaves the style as it is. */
    void setViewStyle(int style);

signals:
    /** A mouse button went down over the list, before the view handles it. */
    void pressed();
    /** The right button asked for the pop-up menu, at a global position. */
    void popupRequested(const QPoint &globalPos);
    /** The focus went to a widget outside the list (not to a menu or another window). */
    void focusLeft();
    /** Double click on an item. */
    void activated(const QModelIndex &index);
    /** A command key went down in the list while no name was being edited. */
    void keyPressed(BrowserList::Key key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void prepare(QAbstractItemView *view);
    bool pressKey(QAbstractItemView *view, const QKeyEvent *event);

    QListView *m_iconView;
    QTreeView *m_detailsView;
    int m_style = List;
};
