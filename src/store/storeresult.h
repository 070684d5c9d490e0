// Varko 2000 — how the store reports a failed operation to the window.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

/**
 * The outcome of reading or writing one of the program's files. When it
 * failed, `message` is the system's own text for the user and `detail` says
 * what went wrong underneath (for standard error, never for a message box).
 */
struct StoreResult
{
    bool ok = true;
    QString message;
    QString detail;

    static StoreResult success() { return {}; }
    static StoreResult failure(const QString &message, const QString &detail)
    {
        return {false, message, detail};
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
