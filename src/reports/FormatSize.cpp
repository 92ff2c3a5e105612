#include "reports/FormatSize.h"

#include <cstdio>

namespace orvalis::reports {

std::string FormatSize(int64_t bytes) {
    struct Unit {
        int64_t size;
        const char* name;
    };
    static constexpr Unit kUnits[] = {
        {int64_t{1} << 40, " TB"}, {int64_t{1} << 30, " GB"}, {int64_t{1} << 20, " MB"},
        {int64_t{1} << 10, " KB"}};
    char text[64];
    for (const Unit& unit : kUnits) {
        if (bytes >= unit.size) {
            std::snprintf(text, sizeof text, "%.2f%s",
                          static_cast<double>(bytes) / static_cast<double>(unit.size), unit.name);
            return text;
        }
    }
    // Below 1 KB (and for a negative count) the low 32 bits as a whole number.
    std::snprintf(text, sizeof text, "%d Bytes", static_cast<int32_t>(static_cast<uint32_t>(bytes)));
    return text;
}

}  // namespace orvalis::reports
