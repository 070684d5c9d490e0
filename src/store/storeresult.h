// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — how the store reports a failed operation to the window.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

/** The icon of a message box; the engine's messages use the same values. */
enum class MessageIcon { Question, Exclamation, Critical, Warning, Information };

/**
 * The outcome of reading or writing one of the program's files. When it
 * failed, `message`, `title` and `icon` are the message box the user sees,
 * exactly, and `detail` says what went wrong underneath (for standard error,
 * never for a message box).
 */
struct StoreResult
{
    bool ok = true;
    QString message;
    QString detail;
    QString title;
    MessageIcon icon = MessageIcon::Warning;
    bool refusedValue =
        false; ///< a value was refused for its bytes (a NUL, not UTF-8): what was read differs from the file

    static StoreResult success() { return {}; }
    /** Every failure the store reports is titled "Varko 2000". */
    static StoreResult failure(const QString &message, const QString &detail, MessageIcon icon = MessageIcon::Warning)
    {
        return {false, message, detail, QStringLiteral("Varko 2000"), icon};
    }
};

/** Writes `bytes` as the whole file at `path`, replacing what was there. */
StoreResult writeWholeFile(const QString &path, const QByteArray &bytes, const QString &message);

/**
 * Reads the whole file at `path` when it is a regular file within the size
 * limit; no value when it is not, with "PATH: why" in `why`.
 */
std::optional<QByteArray> readWholeFile(const QString &path, QString *why = nullptr);

/**
 * The zip comment file's text (UTF-8) when it is a regular file of at most
 * 32,768 bytes, as the options dialog allows; no value otherwise, with
 * "PATH: why" in `why`.
 */
std::optional<QString> readZipComment(const QString &path, QString *why = nullptr);
