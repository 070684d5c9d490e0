// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the program's help, shown in a window of its own.
#pragma once

#include <QTextBrowser>

/** The help pages from the program's resources; links between them stay in the window. */
class HelpWindow : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);
};
