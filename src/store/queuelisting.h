// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — cue.txt: the queue and the packing settings as a plain-text listing.
#pragma once

#include "store/ripsettings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/** What the listing shows: a snapshot of the window, the queue and the settings. */
struct QueueListingInput
{
    struct Row
    {
        QString name, size, type, date, path, in;
    };

    QString caption; ///< the main window's caption
    QList<Row> rows; ///< the queue in its order
    double totalKB = 0; ///< the queue's total size in kilobytes
    QString archiveTypeText; ///< "Rar" or "Ace"
    QString archiveSizeText; ///< "1 file", ".5M", "1.44M", ...
    int sizePosition = 0; ///< the archive-size scroll position
    double estimate = 0; ///< the estimated number of files
    QString pathsText; ///< "Paths" or empty
    QString zipText; ///< "Zip" or empty
    RipSettings settings;
    std::optional<qint64> tempFreeBytes; ///< none when it could not be read
};

/** The listing's lines, without line ends. */
QStringList queueListingLines(const QueueListingInput &input);

/** Writes the listing with CR LF line ends; false when the file cannot be written. */
bool writeQueueListing(const QString &path, const QueueListingInput &input);
