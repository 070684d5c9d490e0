// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — CRC-32 throughput of zlib and libdeflate on the archivers' buffer size.
#include <libdeflate.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

template <typename Crc>
double megabytesPerSecond(const std::vector<unsigned char> &buffer, int rounds, Crc crc, unsigned long &result)
{
    const auto start = std::chrono::steady_clock::now();
    unsigned long value = 0;
    for (int i = 0; i < rounds; ++i)
        value = crc(value, buffer.data(), buffer.size());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result = value;
    return double(buffer.size()) * rounds / 1e6 / seconds;
}

} // namespace

int main()
{
    std::vector<unsigned char> buffer(std::size_t(1) << 20); // the archivers' write buffer
    for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<unsigned char>(i * 131 + (i >> 9));
    const int rounds = 3000;
    double zlibBest = 0, deflateBest = 0;
    unsigned long zlibCrc = 0, deflateCrc = 0;
    for (int trial = 0; trial < 3; ++trial) {
        const double z = megabytesPerSecond(
            buffer, rounds,
            [](unsigned long c, const unsigned char *p, std::size_t n) { return ::crc32(c, p, uInt(n)); }, zlibCrc);
        const double d = megabytesPerSecond(
            buffer, rounds,
            [](unsigned long c, const unsigned char *p, std::size_t n) {
                return static_cast<unsigned long>(libdeflate_crc32(static_cast<uint32_t>(c), p, n));
            },
            deflateCrc);
        zlibBest = z > zlibBest ? z : zlibBest;
        deflateBest = d > deflateBest ? d : deflateBest;
    }
    if (zlibCrc != deflateCrc) {
        std::fprintf(stderr, "crcbench: the two CRCs differ\n");
        return 1;
    }
    std::printf("CRC-32 over %d MiB: zlib %.0f MB/s, libdeflate %.0f MB/s (libdeflate %.2fx)\n", rounds, zlibBest,
                deflateBest, deflateBest / zlibBest);
    return 0;
}
