// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — one volume file, written through a buffer, with headers patched in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/**
 * Writes one file sequentially through a buffer of fixed size. A header
 * written early with placeholder bytes can be patched once its data (and
 * CRC) is known, whether it is still in the buffer or already on disk.
 * After a failure every call returns false and error() says why.
 */
class VolumeFile
{
public:
    explicit VolumeFile(std::size_t bufferSize = std::size_t(1) << 20);
    ~VolumeFile();
    VolumeFile(const VolumeFile &) = delete;
    VolumeFile &operator=(const VolumeFile &) = delete;

    /** Creates or truncates `path`; a previous file is closed first. */
    bool create(const std::string &path);
    /** Flushes and closes; false when anything failed. */
    bool close();

    uint64_t offset() const { return m_flushed + m_used; }
    bool write(const void *data, std::size_t size) { return append(static_cast<const uint8_t *>(data), size); }
    bool writeZeros(std::size_t size) { return append(nullptr, size); }
    /** Overwrites bytes already written at `at`. */
    bool patch(uint64_t at, const void *data, std::size_t size);

    /** Free buffer space to fill directly (flushing first when full), then commit(). */
    uint8_t *space(std::size_t &available);
    void commit(std::size_t size) { m_used += size; }

    const std::string &error() const { return m_error; }

private:
    bool append(const uint8_t *data, std::size_t size);
    bool flush();
    bool failed(const char *what);

    std::vector<uint8_t> m_buffer;
    std::size_t m_used = 0;
    uint64_t m_flushed = 0;
    int m_fd = -1;
    std::string m_path;
    std::string m_error;
};
