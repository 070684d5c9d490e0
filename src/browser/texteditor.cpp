// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — opening a text file in the user's editor.
#include "browser/texteditor.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool openInTextEditor(const QString &path)
{
    const QString editor = qEnvironmentVariable("VARKO_EDITOR").trimmed();
    if (editor.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    QStringList arguments = QProcess::splitCommand(editor);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments << path);
}
