// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the total size of everything inside a folder.
#include "platform/foldersize.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <condition_variable>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

// A big release folder is the slow step of a drop and of a headless run's
// start. Each folder is read once and its files are looked up from the open
// folder, not by their full paths; once there is more than one folder to
// read, a second thread takes folders from the same stack.

namespace {

class FolderWalk
{
public:
    explicit FolderWalk(QByteArray root) { m_folders.push_back(std::move(root)); }

    qint64 run()
    {
        walk();
        for (std::thread &helper : m_helpers)
            helper.join();
        return m_total;
    }

private:
    void walk()
    {
        qint64 bytes = 0;
        QByteArray folder;
        while (next(folder)) {
            std::vector<QByteArray> found;
            bytes += readFolder(folder, found);
            done(found);
        }
        const std::lock_guard lock(m_mutex);
        m_total += bytes;
    }

    bool next(QByteArray &folder)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_folders.empty() || m_busy == 0; });
        if (m_folders.empty())
            return false;
        folder = std::move(m_folders.back());
        m_folders.pop_back();
        ++m_busy;
        return true;
    }

    void done(std::vector<QByteArray> &found)
    {
        {
            const std::lock_guard lock(m_mutex);
            std::move(found.begin(), found.end(), std::back_inserter(m_folders));
            --m_busy;
            if (m_helpers.empty() && m_folders.size() > 1 && std::thread::hardware_concurrency() > 1)
                m_helpers.emplace_back([this] { walk(); });
        }
        m_changed.notify_all();
    }

    // The bytes of the files in `folder`; its subfolders go to `found`. Links are not followed.
    static qint64 readFolder(const QByteArray &folder, std::vector<QByteArray> &found)
    {
        const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        DIR *dir = fd < 0 ? nullptr : ::fdopendir(fd);
        if (!dir) {
            if (fd >= 0)
                ::close(fd);
            return 0;
        }
        qint64 bytes = 0;
        while (const dirent *entry = ::readdir(dir)) {
            const char *name = entry->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            const bool folderEntry = entry->d_type == DT_DIR;
            struct stat st
            {
            };
            if (!folderEntry && entry->d_type != DT_REG && entry->d_type != DT_UNKNOWN)
                continue;
            if (!folderEntry && ::fstatat(::dirfd(dir), name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            if (folderEntry || S_ISDIR(st.st_mode))
                found.push_back(folder + '/' + name);
            else if (S_ISREG(st.st_mode))
                bytes += st.st_size;
        }
        ::closedir(dir);
        return bytes;
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<QByteArray> m_folders; ///< read by whichever thread is free
    int m_busy = 0; ///< folders being read; none and none left: the walk is over
    qint64 m_total = 0;
    std::vector<std::thread> m_helpers;
};

} // namespace

std::optional<qint64> folderBytes(const QString &folder)
{
    const QByteArray root = QFile::encodeName(folder);
    struct stat rootInfo
    {
    };
    if (::lstat(root.constData(), &rootInfo) != 0 || !S_ISDIR(rootInfo.st_mode))
        return std::nullopt;
    const int fd = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    ::close(fd);
    return FolderWalk(root).run();
}
