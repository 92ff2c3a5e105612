#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace orvalis::fsimage::bytes {

// Little helpers for the on-disc number formats: little-endian, big-endian, and the
// "both byte orders" fields of ISO 9660.
inline void Le16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void Le32(uint8_t* p, uint32_t v) { for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i)); }
inline void Le64(uint8_t* p, uint64_t v) { for (int i = 0; i < 8; ++i) p[i] = uint8_t(v >> (8 * i)); }
inline void Be16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v >> 8); p[1] = uint8_t(v); }
inline void Be32(uint8_t* p, uint32_t v) { for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (24 - 8 * i)); }
inline void Both16(uint8_t* p, uint16_t v) { Le16(p, v); Be16(p + 2, v); }
inline void Both32(uint8_t* p, uint32_t v) { Le32(p, v); Be32(p + 4, v); }

// Copies text into a field, filling the rest with `fill`.
inline void Text(uint8_t* p, size_t field, const std::string& text, uint8_t fill = ' ') {
    for (size_t i = 0; i < field; ++i) p[i] = i < text.size() ? uint8_t(text[i]) : fill;
}

// Broken-down UTC time of a time stamp, clamped to what the formats can hold.
inline std::tm Utc(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    if (seconds > 4102444799) seconds = 4102444799;  // the end of 2099
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    gmtime_r(&t, &tm);
    return tm;
}

}  // namespace orvalis::fsimage::bytes
