#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace orvalis::platform {

// A local date and time with the fields the program stores and shows.
struct LocalTime {
    uint16_t year = 0;
    uint16_t month = 0;      // 1..12
    uint16_t dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
    uint16_t day = 0;        // 1..31
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;

    bool operator==(const LocalTime&) const = default;
};

// The current local time, with milliseconds.
LocalTime Now();

// A point in time (seconds and nanoseconds since the epoch) as local time.
LocalTime ToLocalTime(int64_t secondsSinceEpoch, int64_t nanoseconds = 0);

// printf-style two-digit and four-digit pieces, e.g. "2021-03-07 14:05:09".
std::string FormatDateTime(const LocalTime& t);

}  // namespace orvalis::platform
