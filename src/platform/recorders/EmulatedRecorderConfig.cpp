#include "platform/recorders/EmulatedRecorderConfig.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace orvalis::recorders {
namespace {

// Sector counts and addresses are 32-bit signed numbers for the recorder's callers.
constexpr uint64_t kMaxSectors = 0x7FFFFFFF;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

template <typename T>
bool ParseNumber(const std::string& field, T& out) {
    std::string text = Trim(field);
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

bool ParseMediaType(const std::string& field, PhysicalMediaType& out) {
    return ParseNumber(field, out) && out >= kMediaUnknown && out <= kMediaLast;
}

}  // namespace

EmulatedRecorderList ParseEmulatedRecorders(const std::string& text) {
    EmulatedRecorderList list;
    for (const std::string& entry : Split(text, ';')) {
        if (Trim(entry).empty()) continue;
        auto fail = [&](const std::string& why) {
            list.errors.push_back("emulated recorder \"" + entry + "\" left out: " + why);
        };
        std::vector<std::string> fields = Split(entry, '|');
        if (fields.size() != 5) {
            fail("expected 5 fields separated by |, found " + std::to_string(fields.size()));
            continue;
        }
        EmulatedRecorderConfig config;
        config.backingPath = Trim(fields[0]);
        config.productId = fields[1];
        if (config.backingPath.empty() || config.backingPath.front() != '/') {
            fail("the backing file must be an absolute path");
            continue;
        }
        bool typesOk = true;
        if (!Trim(fields[2]).empty()) {
            for (const std::string& item : Split(fields[2], ',')) {
                PhysicalMediaType type = 0;
                if (!ParseMediaType(item, type) || type == kMediaUnknown) {
                    typesOk = false;
                    break;
                }
                if (std::find(config.writes.begin(), config.writes.end(), type) == config.writes.end())
                    config.writes.push_back(type);
            }
        }
        if (!typesOk) {
            fail("the media types written must be numbers from 1 to 19 separated by ,");
            continue;
        }
        if (!ParseMediaType(fields[3], config.loaded)) {
            fail("the loaded medium must be a number from 0 (no disc) to 19");
            continue;
        }
        if (!ParseNumber(fields[4], config.sectors) ||
            (config.loaded != kMediaUnknown && config.sectors == 0) || config.sectors > kMaxSectors) {
            fail("the medium size must be a number of 2048-byte sectors from 1 to 2147483647");
            continue;
        }
        bool duplicate = std::any_of(list.recorders.begin(), list.recorders.end(),
                                     [&](const EmulatedRecorderConfig& other) {
                                         return other.backingPath == config.backingPath;
                                     });
        if (duplicate) {
            fail("another emulated recorder already uses this backing file");
            continue;
        }
        list.recorders.push_back(std::move(config));
    }
    return list;
}

EmulatedRecorderList EmulatedRecordersFromEnvironment() {
    const char* value = std::getenv(kEmulatedRecordersVariable);
    if (value == nullptr) return {};
    return ParseEmulatedRecorders(value);
}

bool EmulatedRecordersConfigured() {
    const char* value = std::getenv(kEmulatedRecordersVariable);
    return value != nullptr && *value != '\0';
}

}  // namespace orvalis::recorders
