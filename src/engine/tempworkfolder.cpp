// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the run's work folder under the temporary folder: ~Varko01, ~Varko02, ...
#include "engine/tempworkfolder.h"

#include "store/ripsettings.h"
#include "store/textformat.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace TempWorkFolder {

namespace {

// The two digits the names have and the leftover clean-up looks for.
constexpr int kLastCounter = 99;

} // namespace

QString name(const QString &temporaryFolder, int counter)
{
    return folderWithSlash(temporaryFolder) + QStringLiteral("~Varko") + formatZeroPadded(counter, 2);
}

QString create(const QString &temporaryFolder, QString *why)
{
    const QString shown = folderWithoutSlash(temporaryFolder);
    const auto fail = [&](const QString &reason) {
        if (why)
            *why = shown + QStringLiteral(": ") + reason;
        return QString();
    };
    // The system would see the path only up to a NUL: some other folder, which always exists.
    if (temporaryFolder.contains(QChar::Null))
        return fail(QStringLiteral("holds a NUL byte"));
    // Encoded once; each try only changes the two digits at the end.
    QByteArray path = QFile::encodeName(name(temporaryFolder, 1));
    for (int counter = 1; counter <= kLastCounter; ++counter) {
        path[path.size() - 2] = char('0' + counter / 10);
        path[path.size() - 1] = char('0' + counter % 10);
        // mkdir itself decides: no window between a test and the creation.
        if (::mkdir(path.constData(), 0700) == 0)
            return QFile::decodeName(path);
        if (errno != EEXIST)
            return fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    return fail(QStringLiteral("~Varko01 to ~Varko99 all exist; remove the ones no run uses"));
}

} // namespace TempWorkFolder
