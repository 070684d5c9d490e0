// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the browser's file operations that talk to the user.
#include "browser/browserprompts.h"

#include "browser/browserpaste.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

namespace {

const QString kTitle = QStringLiteral("Varko 2000");

BrowserPaste::Answer askReplace(QWidget *owner, const QString &name)
{
    const auto button =
        QMessageBox::question(owner, kTitle, QStringLiteral("Replace %1?").arg(name),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
    if (button == QMessageBox::Yes)
        return BrowserPaste::Answer::Yes;
    return button == QMessageBox::No ? BrowserPaste::Answer::No : BrowserPaste::Answer::Cancel;
}

} // namespace

void pasteFiles(QWidget *owner, const QStringList &sources, const QString &folder, bool move)
{
    QProgressDialog progress(move ? QStringLiteral("Moving...") : QStringLiteral("Copying..."),
                             QStringLiteral("Cancel"), 0, 1000, owner);
    progress.setWindowTitle(kTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(800);
    progress.setAutoClose(false);
    BrowserPaste paste([owner](const QString &name) { return askReplace(owner, name); },
                       [&progress](qint64 done, qint64 total, const QString &name) {
                           progress.setLabelText(name);
                           progress.setValue(total > 0 ? int(done * 1000 / total) : 0);
                           return !progress.wasCanceled();
                       });
    paste.run(sources, folder, move);
    progress.close();
    reportFailures(owner,
                   move ? QStringLiteral("These could not be moved:") : QStringLiteral("These could not be copied:"),
                   paste.failures());
}

bool trashFiles(QWidget *owner, const QStringList &paths)
{
    if (paths.isEmpty())
        return false;
    const QString question = paths.size() == 1
        ? QStringLiteral("Move %1 to the trash?").arg(QFileInfo(paths.first()).fileName())
        : QStringLiteral("Move these %1 items to the trash?").arg(paths.size());
    if (QMessageBox::question(owner, kTitle, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.moveToTrash()) {
            reportFailures(owner, QStringLiteral("This could not be moved to the trash; nothing after it was touched:"),
                           {path + QStringLiteral(": ") + file.errorString()});
            return false;
        }
    }
    return true;
}

void reportFailures(QWidget *owner, const QString &what, const QStringList &failures)
{
    if (failures.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Varko 2000 error"), what, QMessageBox::Ok, owner);
    box.setInformativeText(failures.mid(0, 20).join(QLatin1Char('\n')));
    if (failures.size() > 20)
        box.setDetailedText(failures.join(QLatin1Char('\n')));
    box.exec();
}
