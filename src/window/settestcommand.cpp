// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — "Test set...": a finished set proved whole from the window.
#include "window/settestcommand.h"

#include "controls/textprogressbar.h"
#include "engine/settest.h"
#include "window/mainwindow.h"
#include "window/outcomeline.h"

#include <QApplication>
#include <QFileDialog>

namespace {

// A message box stays readable: the first faults, then how many more.
constexpr int kFaultLinesShown = 20;

QString faultLines(const SetTestReport &report)
{
    QStringList lines;
    for (const ZipCheck &zip : report.zips)
        if (!zip.faults.isEmpty())
            lines << zipCheckLine(zip);
    lines << report.setFaults;
    if (lines.size() > kFaultLinesShown) {
        const qsizetype more = lines.size() - kFaultLinesShown;
        lines.resize(kFaultLinesShown);
        lines << QStringLiteral("... and %1 more").arg(more);
    }
    return lines.join(u'\n');
}

Message verdictMessage(const SetLocation &location, const SetTestReport &report)
{
    const bool whole = report.faultCount() == 0;
    QString text = setTestVerdict(location, report);
    if (!report.recovery.isEmpty())
        text += u'\n' + report.recovery;
    if (!whole)
        text += QStringLiteral("\n\n") + faultLines(report);
    return {text, QStringLiteral("Varko 2000"), whole ? Message::Icon::Information : Message::Icon::Critical,
            Message::Buttons::Ok};
}

// The verdict and the zips at fault, in the one line that stays on the window.
QString verdictLine(const SetLocation &location, const SetTestReport &report)
{
    QStringList faulty;
    for (const ZipCheck &zip : report.zips)
        if (!zip.faults.isEmpty())
            faulty << zip.name;
    QString line = setTestVerdict(location, report);
    if (!faulty.isEmpty())
        line += QStringLiteral(": ") + faulty.join(QStringLiteral(", "));
    return report.recovery.isEmpty() ? line : line + QStringLiteral("; ") + report.recovery;
}

} // namespace

void testSetFromWindow(MainWindow &window)
{
    const QString path = QFileDialog::getOpenFileName(&window, QStringLiteral("Test set"), window.settings().riptodir,
                                                      QStringLiteral("Sets (*.zip *.sfv);;All files (*)"));
    if (!path.isEmpty())
        testSet(window, path);
}

void testSet(MainWindow &window, const QString &path)
{
    const SetLocation location = locateSet(path);
    if (!location.problem.isEmpty()) {
        window.ask(
            {location.problem, QStringLiteral("Varko 2000 error"), Message::Icon::Exclamation, Message::Buttons::Ok});
        return;
    }
    TextProgressBar *bar = window.progressBar();
    const QString before = bar->text();
    window.lockCommands(true);
    SetTest test(location);
    test.setZipHandler([bar](const ZipCheck &, int number, int count) {
        const int percent = count > 0 ? number * 100 / count : 100;
        bar->setValue(percent);
        bar->setText(QString::number(percent) + u'%');
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SetTestReport report = test.run();
    QApplication::restoreOverrideCursor();
    window.lockCommands(false);
    bar->setValue(0);
    bar->setText(before);
    window.outcomeLine().tell(setTestVerdict(location, report), verdictLine(location, report));
    window.ask(verdictMessage(location, report));
}
