// mountinfo comes from the kernel, but its fields carry names that users chose (mount points,
// labels in sources); the parser must take any bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/disks/MountTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using orvalis::platform::MountTable;
    const std::string text(reinterpret_cast<const char*>(data), size);
    MountTable table = MountTable::Parse(text);
    for (const auto& entry : table.entries()) {
        // Decoding never makes a field longer.
        if (entry.mountPoint.size() > text.size() || entry.source.size() > text.size()) {
            __builtin_trap();
        }
        (void)table.FindDevice(entry.major, entry.minor, entry.source, "/nonexistent-dev");
    }
    const std::string decoded = orvalis::platform::DecodeMountField(text);
    if (decoded.size() > text.size()) __builtin_trap();
    return 0;
}
