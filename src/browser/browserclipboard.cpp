// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — files on the clipboard in the form desktop file managers paste.
#include "browser/browserclipboard.h"

#include <QMimeData>
#include <QUrl>

namespace {

const QString kGnomeFormat = QStringLiteral("x-special/gnome-copied-files");
const QString kKdeCutFormat = QStringLiteral("application/x-kde-cutselection");

} // namespace

QMimeData *fileClipboardData(const QStringList &paths, bool cut)
{
    QList<QUrl> urls;
    QStringList lines{cut ? QStringLiteral("cut") : QStringLiteral("copy")};
    for (const QString &path : paths) {
        urls << QUrl::fromLocalFile(path);
        lines << QString::fromUtf8(urls.last().toEncoded());
    }
    auto *data = new QMimeData; // the clipboard or the drag takes ownership
    data->setUrls(urls);
    data->setData(kGnomeFormat, lines.join(QLatin1Char('\n')).toUtf8());
    if (cut)
        data->setData(kKdeCutFormat, "1");
    return data;
}

ClipboardFiles clipboardFiles(const QMimeData *data)
{
    ClipboardFiles files;
    if (!data)
        return files;
    QByteArray gnome = data->data(kGnomeFormat);
    // Newer GNOME file managers put the same lines, headed by their own marker, in plain text.
    const QString text = data->text();
    if (gnome.isEmpty() && text.startsWith(QLatin1String("x-special/nautilus-clipboard\n")))
        gnome = text.section(QLatin1Char('\n'), 1).trimmed().toUtf8();
    QList<QUrl> urls = data->urls();
    // Some programs offer only the marker: its lines after the first are the URLs.
    if (urls.isEmpty()) {
        for (const QByteArray &line : gnome.split('\n').mid(1))
            urls << QUrl::fromEncoded(line.trimmed());
    }
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            files.paths << url.toLocalFile();
    }
    files.cut = gnome.startsWith("cut\n") || gnome == "cut" || data->data(kKdeCutFormat) == "1";
    return files;
}
