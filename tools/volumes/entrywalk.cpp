// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — from the list file's lines to the files and folders to archive.
#include "volumes/entrywalk.h"

#include "volumes/diagnostics.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

struct Walk
{
    bool barePaths;
    const OutputFilter &isOutput;
    Diagnostics &diagnostics;
    std::vector<Entry> entries;
    std::vector<std::pair<dev_t, ino_t>> ancestors; // folders being walked, to stop link loops
};

std::string baseName(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string joined(const std::string &folder, const std::string &name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

void skipped(Walk &walk, const std::string &why)
{
    walk.diagnostics.warn(why + " (skipped)");
}

Entry entryFrom(const std::string &source, const std::string &archivePath, const struct stat &st)
{
    Entry entry;
    entry.sourcePath = source;
    entry.archivePath = archivePath;
    entry.isDirectory = S_ISDIR(st.st_mode);
    entry.size = entry.isDirectory ? 0 : uint64_t(st.st_size);
    entry.mtime = st.st_mtim.tv_sec;
    entry.mtimeNanoseconds = st.st_mtim.tv_nsec;
    entry.mode = st.st_mode;
    return entry;
}

void addFile(Walk &walk, const std::string &path, const std::string &archivePath)
{
    // Opened, not only stat'ed: a file that cannot be read is skipped now,
    // before any volume exists, rather than failing the set later.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st
    {
    };
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        skipped(walk, "cannot read " + systemError(path));
        if (fd >= 0)
            ::close(fd);
        return;
    }
    ::close(fd);
    if (!S_ISREG(st.st_mode)) {
        skipped(walk, path + ": not a regular file or folder");
        return;
    }
    walk.entries.push_back(entryFrom(path, archivePath, st));
}

std::vector<std::string> sortedNames(DIR *dir)
{
    std::vector<std::string> names;
    while (const dirent *item = ::readdir(dir)) {
        const std::string name = item->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void addFolder(Walk &walk, const std::string &path, const struct stat &st, const std::string &archivePath);

// A link inside a folder is followed to a file but never into a folder: a
// link to "/" would otherwise take in the whole file system.
bool isLinkToFolder(const std::string &path, const struct stat &target)
{
    struct stat own
    {
    };
    return S_ISDIR(target.st_mode) && ::lstat(path.c_str(), &own) == 0 && S_ISLNK(own.st_mode);
}

void addChild(Walk &walk, const std::string &folder, const struct stat &folderStat, const std::string &archiveFolder,
              const std::string &name)
{
    const std::string path = joined(folder, name);
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0) {
        skipped(walk, "cannot read " + systemError(path));
        return;
    }
    if (isLinkToFolder(path, st)) {
        skipped(walk, path + ": a symbolic link to a folder, not followed");
        return;
    }
    const std::string archivePath = walk.barePaths ? name : joined(archiveFolder, name);
    if (S_ISDIR(st.st_mode))
        addFolder(walk, path, st, archivePath);
    else if (!S_ISREG(st.st_mode))
        skipped(walk, path + ": not a regular file or folder");
    else if (!walk.isOutput || !walk.isOutput(folderStat, name))
        addFile(walk, path, archivePath);
}

// With bare paths only the files below the folder count; otherwise the folder
// itself is an entry too, so that an empty one survives.
void addFolder(Walk &walk, const std::string &path, const struct stat &st, const std::string &archivePath)
{
    const auto id = std::make_pair(st.st_dev, st.st_ino);
    if (std::find(walk.ancestors.begin(), walk.ancestors.end(), id) != walk.ancestors.end()) {
        skipped(walk, path + ": symbolic link loop");
        return;
    }
    DIR *dir = ::opendir(path.c_str());
    if (!dir) {
        skipped(walk, "cannot read " + systemError(path));
        return;
    }
    const std::vector<std::string> names = sortedNames(dir);
    ::closedir(dir);
    if (!walk.barePaths && !archivePath.empty())
        walk.entries.push_back(entryFrom(path, archivePath, st));
    walk.ancestors.push_back(id);
    for (const std::string &name : names)
        addChild(walk, path, st, archivePath, name);
    walk.ancestors.pop_back();
}

void addLine(Walk &walk, const ListLine &line)
{
    struct stat st
    {
    };
    if (::stat(line.path.c_str(), &st) != 0) {
        skipped(walk, "cannot read " + systemError(line.path));
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        addFolder(walk, line.path, st, walk.barePaths ? std::string() : baseName(line.path));
        return;
    }
    if (line.wildcard || !S_ISREG(st.st_mode)) {
        skipped(walk, line.path + (line.wildcard ? ": not a folder" : ": not a regular file or folder"));
        return;
    }
    struct stat folder
    {
    };
    const std::string name = baseName(line.path);
    if (walk.isOutput && ::stat(folderOf(line.path).c_str(), &folder) == 0 && walk.isOutput(folder, name))
        return;
    addFile(walk, line.path, name);
}

} // namespace

std::vector<Entry> collectEntries(const std::vector<ListLine> &lines, bool barePaths, const OutputFilter &isOutput,
                                  Diagnostics &diagnostics)
{
    Walk walk{barePaths, isOutput, diagnostics, {}, {}};
    for (const ListLine &line : lines)
        addLine(walk, line);
    return std::move(walk.entries);
}
