// Varko 2000 — one row of the queue.
#pragma once

#include <QString>

#include <optional>

/** Which small picture a row shows; the view maps it to an icon. */
enum class IconKind { File, Folder, DiscImage, Description, Missing };

/** The text of the Type column of a row whose file was gone when a script was read. */
inline const QString kNotFoundType = QStringLiteral("(Not found!)");
/** The Size and Modified text of such a row. */
inline const QString kNotFoundText = QStringLiteral("-----");

/**
 * One queued file or folder: the six text columns as shown, the icon kind,
 * and the size in kilobytes that the row added to the totals.
 */
struct QueueItem
{
    QString name;
    QString size;
    QString type;
    QString modified;
    QString path;   ///< the folder, ending with '/'
    QString in;     ///< the placement
    IconKind icon = IconKind::File;
    double kilobytes = 0;

    /** Path and Name joined, with a '/' between when the Path lacks one. */
    QString fullPath() const;
    bool isFolder() const;
    bool isNotFound() const;

    /**
     * The row a drop or a script builds for the existing file or folder at
     * `fullPath`, placed `in`; no value when nothing can be read there.
     */
    static std::optional<QueueItem> fromDisk(const QString &fullPath, const QString &in);

    /** The row of a script line whose file is gone: "-----", "(Not found!)", no placement. */
    static QueueItem notFound(const QString &fullPath);
};

/** A path's size in queue kilobytes: 1024 bytes or less count as 1, more as bytes / 1024. */
double kilobytes(qint64 bytes);

/** The Size column for a kilobyte value: "1,234KB". */
QString sizeText(double kilobytes);

/**
 * The size on disk of `fullPath` in bytes: a folder's total content, a
 * file's length; no value when nothing is there.
 */
std::optional<qint64> bytesOnDisk(const QString &fullPath);
