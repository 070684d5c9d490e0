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

// Far beyond any number of stopped runs; it only bounds a loop that fails.
constexpr int kLastCounter = 9999;

} // namespace

QString name(const QString &temporaryFolder, int counter)
{
    return folderWithSlash(temporaryFolder) + QStringLiteral("~Varko") + formatZeroPadded(counter, 2);
}

QString create(const QString &temporaryFolder, QString *why)
{
    for (int counter = 1; counter <= kLastCounter; ++counter) {
        const QString candidate = name(temporaryFolder, counter);
        // mkdir itself decides: no window between a test and the creation.
        if (::mkdir(QFile::encodeName(candidate).constData(), 0700) == 0)
            return candidate;
        if (errno != EEXIST)
            break;
    }
    if (why)
        *why = folderWithoutSlash(temporaryFolder) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

} // namespace TempWorkFolder
