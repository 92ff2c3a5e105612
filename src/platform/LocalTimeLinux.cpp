#include "platform/LocalTime.h"

#include <cstdio>

namespace orvalis::platform {

LocalTime ToLocalTime(int64_t secondsSinceEpoch, int64_t nanoseconds) {
    time_t seconds = static_cast<time_t>(secondsSinceEpoch);
    tm parts{};
    localtime_r(&seconds, &parts);
    LocalTime t;
    t.year = static_cast<uint16_t>(parts.tm_year + 1900);
    t.month = static_cast<uint16_t>(parts.tm_mon + 1);
    t.dayOfWeek = static_cast<uint16_t>(parts.tm_wday);
    t.day = static_cast<uint16_t>(parts.tm_mday);
    t.hour = static_cast<uint16_t>(parts.tm_hour);
    t.minute = static_cast<uint16_t>(parts.tm_min);
    t.second = static_cast<uint16_t>(parts.tm_sec);
    t.milliseconds = static_cast<uint16_t>(nanoseconds / 1000000);
    return t;
}

LocalTime Now() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return ToLocalTime(now.tv_sec, now.tv_nsec);
}

std::string FormatDateTime(const LocalTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

}  // namespace orvalis::platform
