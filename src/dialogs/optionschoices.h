// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — what the options dialog makes of a chosen folder or comment file, and how its panels read.
#pragma once

#include <QString>

#include <optional>

namespace OptionsChoices {

/** The largest comment file taken, in bytes. */
constexpr qint64 kCommentLimit = 32768;

/** The rip-to folder chosen, or none when the set could not be written there (read-only, full, gone). */
std::optional<QString> acceptedRipToFolder(const QString &folder);

/**
 * The temporary folder chosen, without its trailing '/'; the system's
 * temporary folder instead when the chosen one cannot be listed or written.
 */
QString acceptedTempFolder(const QString &folder);

/** A comment file as read: its text, or why it was refused. */
struct CommentFile
{
    enum class Status { Read, TooLarge, Unreadable };
    Status status = Status::Unreadable;
    QString text; ///< the whole file as UTF-8 when read
};

/** Reads a regular file of at most `kCommentLimit` bytes. */
CommentFile readCommentFile(const QString &path);

/** The rip-to panel: eight blanks and the folder, cut to 20 characters and "..." when longer. */
QString ripToDisplay(const QString &folder);

/** The comment panel: one blank and the path, cut to 23 characters and "..." when longer. */
QString commentDisplay(const QString &path);

/** The free-space panel: megabytes of 1,048,576 bytes with thousands separated, then "M Free". */
QString freeSpaceText(qint64 bytes);

} // namespace OptionsChoices
