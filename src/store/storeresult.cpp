// Varko 2000 — how the store reports a failed operation to the window.
#include "store/storeresult.h"

#include <QFile>
#include <QSaveFile>

StoreResult writeWholeFile(const QString &path, const QByteArray &bytes, const QString &message)
{
    // Written aside and renamed over the old file: a full disk or a failed
    // write leaves the user's previous file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return StoreResult::failure(message, path + QStringLiteral(": ") + file.errorString());
    return StoreResult::success();
}

std::optional<QByteArray> readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}
