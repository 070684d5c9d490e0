// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one row of the queue.
#include "engine/queueitem.h"

#include "platform/foldersize.h"
#include "platform/shelltype.h"
#include "store/textformat.h"

#include <QFileInfo>

QString QueueItem::fullPath() const
{
    if (path.isEmpty() || path.endsWith(u'/'))
        return path + name;
    return path + u'/' + name;
}

IconKind QueueItem::icon() const
{
    // The extensions are compared as typed, as the drop always did.
    if (isNotFound())
        return IconKind::Missing;
    if (name.endsWith(QStringLiteral(".diz")) || name.endsWith(QStringLiteral(".nfo")))
        return IconKind::Description;
    if (isFolder())
        return IconKind::Folder;
    if (name.endsWith(QStringLiteral(".iso")) || name.endsWith(QStringLiteral(".bin")))
        return IconKind::DiscImage;
    return IconKind::File;
}

QString QueueItem::sizeText() const
{
    return isNotFound() ? kNotFoundText : formatThousands(kilobytes) + QStringLiteral("KB");
}

QString QueueItem::typeText() const
{
    switch (kind) {
    case ItemKind::Folder: return kFolderTypeName;
    case ItemKind::NotFound: return kNotFoundType;
    case ItemKind::File: break;
    }
    return typeName;
}

QString QueueItem::modifiedText() const
{
    return isNotFound() ? kNotFoundText : formatModified(modified);
}

std::optional<QueueItem> QueueItem::fromDisk(const QString &fullPath, Placement in)
{
    const QFileInfo info(fullPath);
    const std::optional<qint64> bytes = bytesOnDisk(fullPath);
    if (!bytes)
        return std::nullopt;
    QueueItem item;
    item.name = getfile(fullPath);
    item.path = getpath(fullPath);
    item.kind = info.isDir() ? ItemKind::Folder : ItemKind::File;
    if (!item.isFolder())
        item.typeName = shellTypeName(fullPath);
    item.kilobytes = ::kilobytes(*bytes);
    item.modified = info.lastModified();
    item.in = in;
    return item;
}

QueueItem QueueItem::notFound(const QString &fullPath)
{
    QueueItem item;
    item.name = getfile(fullPath);
    item.path = getpath(fullPath);
    item.kind = ItemKind::NotFound;
    return item;
}

double kilobytes(qint64 bytes)
{
    return bytes <= 1024 ? 1.0 : static_cast<double>(bytes) / 1024.0;
}

std::optional<qint64> bytesOnDisk(const QString &fullPath)
{
    const QFileInfo info(fullPath);
    if (info.isDir())
        return folderBytes(fullPath);
    if (!info.exists())
        return std::nullopt;
    return info.size();
}
