#include "media/ClockTime.h"

#include <cstdint>

namespace orvalis::media {
namespace {

// The decimal integer at the start of a text: blanks skipped, an optional sign, digits up
// to the first other character; 0 without digits. Saturates instead of overflowing.
int64_t LeadingInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = INT64_MAX / 10 - 10;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kLimit) value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

}  // namespace

int64_t ParseClockTime(std::string_view text) {
    const int64_t hours = LeadingInteger(text);
    int64_t minutes = 0;
    int64_t seconds = 0;
    if (size_t first = text.find(':'); first != std::string_view::npos) {
        std::string_view rest = text.substr(first + 1);
        minutes = LeadingInteger(rest);
        if (size_t second = rest.find(':'); second != std::string_view::npos) {
            seconds = LeadingInteger(rest.substr(second + 1));
        }
    }
    // Wrapping, not undefined, for absurd inputs.
    return static_cast<int64_t>(static_cast<uint64_t>(hours) * 3600u +
                                static_cast<uint64_t>(minutes) * 60u +
                                static_cast<uint64_t>(seconds));
}

}  // namespace orvalis::media
