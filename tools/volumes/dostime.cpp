// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — MS-DOS date and time, the time stamp of both archive formats.
#include "volumes/dostime.h"

namespace {

constexpr uint32_t kFirst = (1u << 21) | (1u << 16); // 1980-01-01 00:00:00
constexpr uint32_t kLast = (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;

} // namespace

DosTime toDosTime(std::time_t time)
{
    std::tm local{};
    if (!localtime_r(&time, &local))
        return {kFirst, false, false};
    const int year = local.tm_year + 1900;
    if (year < 1980)
        return {kFirst, false, false};
    if (year > 2107)
        return {kLast, false, false};
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second counts as :59
    const uint32_t value = (uint32_t(year - 1980) << 25) | (uint32_t(local.tm_mon + 1) << 21)
        | (uint32_t(local.tm_mday) << 16) | (uint32_t(local.tm_hour) << 11) | (uint32_t(local.tm_min) << 5)
        | uint32_t(second / 2);
    return {value, true, (second & 1) != 0};
}
