// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one volume file, written through a buffer, with headers patched in place.
#include "volumes/volumefile.h"

#include "volumes/diagnostics.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

VolumeFile::VolumeFile(std::size_t bufferSize)
    : m_buffer(bufferSize)
{
}

VolumeFile::~VolumeFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool VolumeFile::failed(const char *what)
{
    if (m_error.empty())
        m_error = std::string("cannot ") + what + " " + systemError(m_path);
    return false;
}

bool VolumeFile::create(const std::string &path)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_path = path;
    m_used = 0;
    m_flushed = 0;
    m_error.clear();
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return m_fd >= 0 || failed("create");
}

bool VolumeFile::flush()
{
    if (!m_error.empty())
        return false;
    std::size_t done = 0;
    while (done < m_used) {
        const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_used - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failed("write");
        done += std::size_t(n);
    }
    m_flushed += m_used;
    m_used = 0;
    return true;
}

bool VolumeFile::close()
{
    const bool flushed = flush();
    const int result = m_fd >= 0 ? ::close(m_fd) : 0;
    m_fd = -1;
    if (result != 0)
        return failed("write");
    return flushed && m_error.empty();
}

uint8_t *VolumeFile::space(std::size_t &available)
{
    if (m_used == m_buffer.size() && !flush()) {
        available = 0;
        return nullptr;
    }
    available = m_buffer.size() - m_used;
    return m_buffer.data() + m_used;
}

// Copies `size` bytes from `data`, or writes zeros when `data` is null.
bool VolumeFile::append(const uint8_t *data, std::size_t size)
{
    while (size > 0) {
        std::size_t available = 0;
        uint8_t *to = space(available);
        if (!to)
            return false;
        const std::size_t n = std::min(size, available);
        if (data) {
            std::memcpy(to, data, n);
            data += n;
        } else {
            std::memset(to, 0, n);
        }
        commit(n);
        size -= n;
    }
    return m_error.empty();
}

bool VolumeFile::patch(uint64_t at, const void *data, std::size_t size)
{
    const auto *bytes = static_cast<const uint8_t *>(data);
    // The part already on disk is rewritten there, the rest in the buffer.
    while (size > 0 && at < m_flushed) {
        const std::size_t n = std::size_t(std::min<uint64_t>(size, m_flushed - at));
        const ssize_t written = ::pwrite(m_fd, bytes, n, off_t(at));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failed("write");
        bytes += written;
        at += uint64_t(written);
        size -= std::size_t(written);
    }
    if (size > 0)
        std::memcpy(m_buffer.data() + (at - m_flushed), bytes, size);
    return m_error.empty();
}
