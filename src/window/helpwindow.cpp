// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the program's help, shown in a window of its own.
#include "window/helpwindow.h"

HelpWindow::HelpWindow(QWidget *parent)
    : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Varko 2000 Help"));
    setAccessibleName(windowTitle());
    // Web links go to the desktop's browser; the pages themselves stay here.
    setOpenExternalLinks(true);
    setSource(QUrl(QStringLiteral("qrc:/app/help/index.html")));
    resize(640, 560);
}
