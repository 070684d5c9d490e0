// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the window's top row: the toolbar with the mode picture, the line under it and the logo.
#pragma once

#include "window/commandbuilder.h"

#include <QObject>

class QLabel;
class QToolBar;
struct RipSettings;
struct WindowLayout;

/**
 * The toolbar built from its table, the packing-mode picture at its right
 * end, Frame1 and the logo. Presses come out as signals; what a button
 * runs is the window's to decide.
 */
class TopRow : public QObject
{
    Q_OBJECT

public:
    /** Builds the row as children of `client`. */
    explicit TopRow(QWidget *client);

    QAction *button(Tool id) const { return m_buttons.at(size_t(id)); }
    /** The mode picture for `settings`: Zip, else Rar or Ace. */
    void showMode(const RipSettings &settings);
    /** The mode picture appears with the first drop and stays. */
    void revealMode();
    void place(const WindowLayout &layout);

signals:
    void buttonPressed(Tool button);
    /** A left press on the logo. */
    void logoPressed();
    /** The pointer came onto "Find file/folder". */
    void findButtonEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildModePicture();

    QToolBar *m_toolbar;
    std::array<QAction *, kToolCount> m_buttons;
    QWidget *m_frame;
    QLabel *m_logo;
    QLabel *m_modePicture = nullptr;
    QAction *m_modeSlot = nullptr; ///< the picture's place on the toolbar
};
