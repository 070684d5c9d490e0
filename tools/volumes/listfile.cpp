// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the list file an archiver reads: one path a line.
#include "volumes/listfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool stripSuffix(std::string &text, std::string_view suffix)
{
    if (text.size() < suffix.size() || std::string_view(text).substr(text.size() - suffix.size()) != suffix)
        return false;
    text.resize(text.size() - suffix.size());
    return true;
}

} // namespace

ListLine parseListLine(std::string line)
{
    ListLine result;
    for (std::string_view wildcard : {"/*.*", "\\*.*", "/*", "\\*"}) {
        if (stripSuffix(line, wildcard)) {
            result.wildcard = true;
            break;
        }
    }
    while (line.size() > 1 && line.back() == '/')
        line.pop_back();
    if (result.wildcard && line.empty())
        line.assign(1, '/');
    result.path = std::move(line);
    return result;
}

namespace {

// The whole file when it is a regular file within the limit; otherwise why not.
std::optional<std::string> readRegularFile(const std::string &path, std::string &error)
{
    // Non-blocking, so that opening a FIFO cannot wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st
    {
    };
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        error = std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode))
        error = S_ISDIR(st.st_mode)                      ? "is a folder, not a file"
            : S_ISFIFO(st.st_mode)                       ? "is a named pipe, not a file"
            : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "is a device, not a file"
                                                         : "is not a regular file";
    else if (st.st_size > kMaxListFileBytes)
        error = "is larger than 64 MiB";
    std::string text;
    if (error.empty()) {
        text.resize(std::size_t(st.st_size));
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n == 0 || (n < 0 && errno != EINTR))
                break; // the end, or a file that shrank while read
            got += std::size_t(std::max<ssize_t>(n, 0));
        }
        text.resize(got);
    }
    ::close(fd);
    if (!error.empty())
        return std::nullopt;
    return text;
}

} // namespace

std::optional<std::vector<ListLine>> readListFile(const std::string &path, std::string *why)
{
    std::string error;
    std::optional<std::string> read = readRegularFile(path, error);
    if (!read) {
        if (why)
            *why = path + ": " + error;
        return std::nullopt;
    }
    std::string &text = *read;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    std::vector<ListLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(parseListLine(std::move(line)));
        start = end + 1;
    }
    return lines;
}
