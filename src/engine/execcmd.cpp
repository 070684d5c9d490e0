// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — starting the archiver from its command line and waiting for it.
#include "engine/execcmd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Appends the backslashes before a quote, or before any other character.
void takeBackslashes(QString &current, int count, bool beforeQuote)
{
    current += QString(beforeQuote ? count / 2 : count, u'\\');
}

} // namespace

QStringList splitCommandLine(const QString &line)
{
    QStringList arguments;
    QString current;
    bool inQuotes = false;
    bool hasArgument = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        int slashes = 0;
        while (i < line.size() && line.at(i) == u'\\') {
            ++slashes;
            ++i;
        }
        const bool atQuote = i < line.size() && line.at(i) == u'"';
        takeBackslashes(current, slashes, atQuote);
        hasArgument = hasArgument || slashes > 0;
        if (i >= line.size())
            break;
        const QChar c = line.at(i);
        if (atQuote && slashes % 2 == 1) {
            current += c;
        } else if (atQuote) {
            inQuotes = !inQuotes;
        } else if ((c == u' ' || c == u'\t') && !inQuotes) {
            if (hasArgument)
                arguments << current;
            current.clear();
            hasArgument = false;
            continue;
        } else {
            current += c;
        }
        hasArgument = true;
    }
    if (hasArgument)
        arguments << current;
    return arguments;
}

QString locateProgram(const QString &name, const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QFileInfo candidate(QDir(folder).filePath(name));
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

QStringList defaultProgramFolders()
{
    // Never the current folder: any folder could plant a fake archiver there.
    if (!QCoreApplication::instance())
        return {};
    const QString own = QCoreApplication::applicationDirPath();
    return {QDir::cleanPath(own + QStringLiteral("/../libexec/varko2000")), own};
}

ProcessOutcome ExecCmd(const QString &cmdline, const QStringList &folders, const ProcessWatch &watch)
{
    QStringList arguments = splitCommandLine(cmdline);
    if (arguments.isEmpty())
        return {ProcessOutcome::Status::FailedToStart, -1, QStringLiteral("empty command line"), {}};
    const QString name = arguments.takeFirst();
    const QString program = locateProgram(name, folders);
    if (program.isEmpty())
        return {ProcessOutcome::Status::FailedToStart, -1, name + QStringLiteral(": not found"), {}};
    return runAndWait(program, arguments, watch);
}
