// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the total size of everything inside a folder.
#include "platform/foldersize.h"

#include <QFile>

#include <fts.h>
#include <sys/stat.h>

#include <memory>

namespace {

struct FtsCloser
{
    void operator()(FTS *fts) const { fts_close(fts); }
};

} // namespace

std::optional<qint64> folderBytes(const QString &folder)
{
    struct stat rootInfo
    {
    };
    const QByteArray root = QFile::encodeName(folder);
    if (::lstat(root.constData(), &rootInfo) != 0 || !S_ISDIR(rootInfo.st_mode))
        return std::nullopt;

    // fts walks with one stat per entry and no per-entry allocation on our
    // side: a big release folder is the slow step of a drop.
    char *const paths[] = {const_cast<char *>(root.constData()), nullptr};
    const std::unique_ptr<FTS, FtsCloser> fts(fts_open(paths, FTS_PHYSICAL | FTS_NOCHDIR, nullptr));
    if (!fts)
        return std::nullopt;

    qint64 total = 0;
    bool rootReadable = true;
    while (FTSENT *entry = fts_read(fts.get())) {
        if (entry->fts_info == FTS_F)
            total += entry->fts_statp->st_size;
        else if (entry->fts_info == FTS_DNR && entry->fts_level == 0)
            rootReadable = false;
    }
    if (!rootReadable)
        return std::nullopt;
    return total;
}
