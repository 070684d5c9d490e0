// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — MS-DOS date and time, the time stamp of both archive formats.
#pragma once

#include <cstdint>
#include <ctime>

/**
 * A time as the formats store it: MS-DOS date and time in local time
 * (bits 31-25 year - 1980, 24-21 month, 20-16 day, 15-11 hour, 10-5 minute,
 * 4-0 seconds / 2). Times before 1980 become 1980-01-01 00:00:00, times after
 * 2107 the last representable second; `exact` tells whether no clamping
 * happened, `oddSecond` whether the second lost by the 2-second steps is 1.
 */
struct DosTime
{
    uint32_t value = 0;
    bool exact = false;
    bool oddSecond = false;
};

DosTime toDosTime(std::time_t time);
