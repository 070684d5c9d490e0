// Varko 2000 — one row of the queue.
#include "engine/queueitem.h"

#include "platform/foldersize.h"
#include "platform/shelltype.h"
#include "store/textformat.h"

#include <QFileInfo>

namespace {

IconKind iconFor(const QString &fullPath, bool folder)
{
    // The extensions are compared as typed, as the drop always did.
    if (fullPath.endsWith(QStringLiteral(".diz")) || fullPath.endsWith(QStringLiteral(".nfo")))
        return IconKind::Description;
    if (folder)
        return IconKind::Folder;
    if (fullPath.endsWith(QStringLiteral(".iso")) || fullPath.endsWith(QStringLiteral(".bin")))
        return IconKind::DiscImage;
    return IconKind::File;
}

} // namespace

QString QueueItem::fullPath() const
{
    if (path.isEmpty() || path.endsWith(u'/'))
        return path + name;
    return path + u'/' + name;
}

bool QueueItem::isFolder() const
{
    return type == kFolderTypeName;
}

bool QueueItem::isNotFound() const
{
    return type == kNotFoundType;
}

std::optional<QueueItem> QueueItem::fromDisk(const QString &fullPath, const QString &in)
{
    const QFileInfo info(fullPath);
    const std::optional<qint64> bytes = bytesOnDisk(fullPath);
    if (!bytes)
        return std::nullopt;
    QueueItem item;
    item.name = getfile(fullPath);
    item.path = getpath(fullPath);
    item.type = shellTypeName(fullPath);
    item.kilobytes = ::kilobytes(*bytes);
    item.size = sizeText(item.kilobytes);
    item.modified = formatModified(info.lastModified());
    item.in = in;
    item.icon = iconFor(fullPath, item.isFolder());
    return item;
}

QueueItem QueueItem::notFound(const QString &fullPath)
{
    QueueItem item;
    item.name = getfile(fullPath);
    item.path = getpath(fullPath);
    item.size = kNotFoundText;
    item.type = kNotFoundType;
    item.modified = kNotFoundText;
    item.icon = IconKind::Missing;
    return item;
}

double kilobytes(qint64 bytes)
{
    return bytes <= 1024 ? 1.0 : static_cast<double>(bytes) / 1024.0;
}

QString sizeText(double kilobytes)
{
    return formatThousands(kilobytes) + QStringLiteral("KB");
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
