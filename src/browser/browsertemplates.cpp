// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the description and info file templates the browser makes.
#include "browser/browsertemplates.h"

#include <QDir>
#include <QSaveFile>
#include <QStringList>

namespace {

const char *const kDizLines[] = {
    "                         xx/xx",
    "",
    "  Title .....: ",
    "  Version ...: ",
    "  Released ..: ",
    "  Type ......: ",
    "",
    "  What the release is, in a few words: at",
    "  most 45 characters a line, 10 lines in",
    "  all.",
};

const char *const kNfoLines[] = {
    "==============================================================",
    "                        RELEASE NAME",
    "==============================================================",
    "",
    "  Title ........: ",
    "  Version ......: ",
    "  Release date .: ",
    "  Size .........: xx files of x.xx MB",
    "  Platform .....: ",
    "  Language .....: ",
    "  Homepage .....: ",
    "",
    "--------------------------------------------------------------",
    "  DESCRIPTION",
    "--------------------------------------------------------------",
    "",
    "  What this release is and what it does.",
    "",
    "--------------------------------------------------------------",
    "  INSTALLATION",
    "--------------------------------------------------------------",
    "",
    "  1. Unzip every zip of the set into one folder.",
    "  2. Unpack the archive from its first volume.",
    "  3. ",
    "",
    "--------------------------------------------------------------",
    "  NOTES",
    "--------------------------------------------------------------",
    "",
    "  Requirements, known problems, thanks.",
    "",
    "==============================================================",
};

template <std::size_t N> QByteArray joined(const char *const (&lines)[N])
{
    QByteArrayList list;
    for (const char *line : lines)
        list << QByteArray(line);
    return list.join("\r\n");
}

} // namespace

QString templateFileName(ReleaseTemplate kind)
{
    return kind == ReleaseTemplate::Diz ? QStringLiteral("New file_id.diz") : QStringLiteral("New about.nfo");
}

QByteArray templateBytes(ReleaseTemplate kind)
{
    return kind == ReleaseTemplate::Diz ? joined(kDizLines) : joined(kNfoLines);
}

QString writeTemplate(const QString &folder, ReleaseTemplate kind)
{
    const QString path = QDir(folder).filePath(templateFileName(kind));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(templateBytes(kind));
    return file.commit() ? path : QString();
}
