// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one row of the queue.
#pragma once

#include "engine/placement.h"

#include <QDateTime>
#include <QString>

#include <optional>

/** Which small picture a row shows; the view maps it to an icon. */
enum class IconKind { File, Folder, DiscImage, Description, Missing };

/** What a row stands for. */
enum class ItemKind : quint8 {
    File,
    Folder,
    NotFound, ///< a script's row whose file was gone when the script was read
};

/** The text of the Type column of a not-found row. */
inline const QString kNotFoundType = QStringLiteral("(Not found!)");
/** The Size and Modified text of such a row. */
inline const QString kNotFoundText = QStringLiteral("-----");

/**
 * One queued file or folder as typed values; the six column texts are
 * made from them when shown, so nothing is ever parsed back from a caption.
 */
struct QueueItem
{
    QString name;
    QString path; ///< the folder, ending with '/'
    QString typeName; ///< the desktop's type name of a file
    ItemKind kind = ItemKind::File;
    double kilobytes = 0; ///< what the row adds to the totals (0 for a not-found row)
    QDateTime modified;
    Placement in = Placement::None;

    /** Path and Name joined, with a '/' between when the Path lacks one. */
    QString fullPath() const;
    bool isFolder() const { return kind == ItemKind::Folder; }
    bool isNotFound() const { return kind == ItemKind::NotFound; }
    IconKind icon() const;

    /** The column texts: "1,234KB", "File Folder", "11/28/99 3:07 PM"; "-----" and "(Not found!)" for a not-found row.
     */
    QString sizeText() const;
    QString typeText() const;
    QString modifiedText() const;

    /**
     * The row a drop or a script builds for the existing file or folder at
     * `fullPath`, placed `in`; no value when nothing can be read there.
     */
    static std::optional<QueueItem> fromDisk(const QString &fullPath, Placement in);

    /** The row of a script line whose file is gone. */
    static QueueItem notFound(const QString &fullPath);
};

/** A path's size in queue kilobytes: 1024 bytes or less count as 1, more as bytes / 1024. */
double kilobytes(qint64 bytes);

/**
 * The size on disk of `fullPath` in bytes: a folder's total content, a
 * file's length; no value when nothing is there.
 */
std::optional<qint64> bytesOnDisk(const QString &fullPath);
