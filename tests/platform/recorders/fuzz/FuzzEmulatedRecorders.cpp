// The list of emulated recorders comes from the environment; any text must parse safely.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/recorders/ClientName.h"
#include "platform/recorders/EmulatedRecorderConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvalis::recorders;
    std::string text(reinterpret_cast<const char*>(data), size);
    EmulatedRecorderList list = ParseEmulatedRecorders(text);
    for (const EmulatedRecorderConfig& config : list.recorders) {
        // What the parser lets through keeps the promises the devices rely on.
        if (config.backingPath.empty() || config.backingPath[0] != '/') __builtin_trap();
        if (config.loaded < kMediaUnknown || config.loaded > kMediaLast) __builtin_trap();
        if (config.sectors > 0x7FFFFFFF) __builtin_trap();
        for (PhysicalMediaType type : config.writes) {
            if (type <= kMediaUnknown || type > kMediaLast) __builtin_trap();
        }
    }
    (void)IsValidClientName(text);
    return 0;
}
