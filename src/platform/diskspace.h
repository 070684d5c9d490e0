// Varko 2000 — free space of the file system that holds a folder.
#pragma once

#include <QString>

#include <optional>

/** Free bytes available to the user on the volume of `folder`; none when it cannot be read. */
std::optional<qint64> freeBytes(const QString &folder);
