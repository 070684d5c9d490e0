// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — how the store reports a failed operation to the window.
#include "store/storeresult.h"

#include "platform/plainfile.h"

StoreResult writeWholeFile(const QString &path, const QByteArray &bytes, const QString &message)
{
    // Written aside and renamed over the old file: a full disk or a failed
    // write leaves the user's previous file as it was.
    const QString error = replaceFile(path, bytes);
    return error.isEmpty() ? StoreResult::success() : StoreResult::failure(message, error);
}

std::optional<QByteArray> readWholeFile(const QString &path, QString *why)
{
    PlainFileRead read = readPlainFile(path);
    if (!read.ok) {
        if (why)
            *why = read.error;
        return std::nullopt;
    }
    return std::move(read.bytes);
}

std::optional<QString> readZipComment(const QString &path, QString *why)
{
    constexpr qint64 kMaxCommentBytes = 32768;
    PlainFileRead read = readPlainFile(path, kMaxCommentBytes);
    if (!read.ok && why)
        *why = read.error;
    return read.ok ? std::optional<QString>(QString::fromUtf8(read.bytes)) : std::nullopt;
}
