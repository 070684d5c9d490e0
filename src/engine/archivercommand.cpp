// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the archiver's command line, built from the settings and the size step.
#include "engine/archivercommand.h"

#include <algorithm>

namespace {

// Quotes by the rules the command-line splitting follows: a quote becomes \",
// and the backslashes before a quote or before the closing quote are doubled.
QString quoted(const QString &argument)
{
    QString out(u'"');
    int slashes = 0;
    for (const QChar c : argument) {
        if (c == u'\\') {
            ++slashes;
            continue;
        }
        out += QString(c == u'"' ? slashes * 2 + 1 : slashes, u'\\');
        slashes = 0;
        out += c;
    }
    return out + QString(slashes * 2, u'\\') + u'"';
}

bool needsQuotes(const QString &argument)
{
    return std::any_of(argument.cbegin(), argument.cend(), [](QChar c) { return c.isSpace() || c == u'"'; });
}

} // namespace

namespace ArchiverCommand {

QString volumeSwitch(bool rar, int step)
{
    if (step == 0)
        return {};
    const QString kilobytes = QString::number(step * 500);
    if (rar) {
        // The 1.44M step gives the floppy's real size, not 1,500,000 bytes.
        const QString bytes = kilobytes == u"1500" ? QStringLiteral("1440") : kilobytes;
        return QStringLiteral("-v") + bytes + QStringLiteral("000b");
    }
    return QStringLiteral("-v") + (kilobytes == u"1500" ? QStringLiteral("1440") : kilobytes);
}

QString switches(bool rar, int step, int level)
{
    return volumeSwitch(rar, step) + QStringLiteral(" -m") + QString::number(level);
}

QString archiveArgument(const QString &archivePath)
{
    return needsQuotes(archivePath) ? quoted(archivePath) : archivePath;
}

QString listArgument(const QString &listFile)
{
    return quoted(u'@' + listFile);
}

QString commandLine(bool rar, int step, int level, int savePaths, const QString &archivePath, const QString &listFile)
{
    const QString s = switches(rar, step, level);
    const QString tail = u' ' + archiveArgument(archivePath) + u' ' + listArgument(listFile);
    if (rar) {
        const QString head = savePaths == 1 ? QStringLiteral("wrar a -r0 ") : QStringLiteral("wrar a -ep ");
        return head + s + QStringLiteral(" -y") + tail;
    }
    const QString head = savePaths == 1 ? QStringLiteral("wace a -r -y ") : QStringLiteral("wace a -y -ep ");
    return head + s + tail;
}

int plannedVolumes(QByteArrayView line)
{
    static constexpr QByteArrayView kLead("Volumes: ");
    if (!line.startsWith(kLead))
        return 0;
    bool ok = false;
    const int count = line.sliced(kLead.size()).trimmed().toInt(&ok);
    return ok && count > 0 ? count : 0;
}

} // namespace ArchiverCommand
