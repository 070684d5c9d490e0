// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what the options dialog makes of a chosen folder or comment file, and how its panels read.
#include "dialogs/optionschoices.h"

#include "platform/diskspace.h"
#include "store/ripsettings.h"
#include "store/textformat.h"

#include <QFile>
#include <QFileInfo>

namespace OptionsChoices {

namespace {

QString cut(const QString &text, int lead, int keep)
{
    const QString shown = text.size() > keep ? text.left(keep) + QStringLiteral("...") : text;
    return QString(lead, u' ') + shown;
}

bool isUsableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isWritable() && info.isExecutable();
}

} // namespace

std::optional<QString> acceptedRipToFolder(const QString &folder)
{
    const std::optional<qint64> free = freeBytes(folder);
    if (!free || *free < 1 || !isUsableFolder(folder))
        return std::nullopt;
    return folder;
}

QString acceptedTempFolder(const QString &folder)
{
    if (!freeBytes(folder) || !isUsableFolder(folder))
        return RipSettings::defaultTempFolder();
    return folderWithoutSlash(folder);
}

CommentFile readCommentFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    if (info.size() > kCommentLimit)
        return {CommentFile::Status::TooLarge, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Read one byte past the limit: a file that grew since it was measured is still refused.
    const QByteArray bytes = file.read(kCommentLimit + 1);
    if (file.error() != QFileDevice::NoError)
        return {};
    if (bytes.size() > kCommentLimit)
        return {CommentFile::Status::TooLarge, {}};
    return {CommentFile::Status::Read, QString::fromUtf8(bytes)};
}

QString ripToDisplay(const QString &folder)
{
    return cut(folder, 8, 20);
}

QString commentDisplay(const QString &path)
{
    return cut(path, 1, 23);
}

QString freeSpaceText(qint64 bytes)
{
    return formatThousands(double(bytes) / 1048576.0) + QStringLiteral("M Free");
}

} // namespace OptionsChoices
