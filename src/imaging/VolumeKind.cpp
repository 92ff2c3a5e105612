#include "imaging/VolumeKind.h"

#include <strings.h>

#include "platform/disks/BlockProbe.h"
#include "platform/disks/PartitionTypes.h"

namespace orvalis::imaging {

uint8_t VolumeKind(const platform::PartitionTableEntry* entry, const std::string& fileSystem) {
    uint8_t kind = 0;
    if (entry) {
        kind = entry->typeGuid.empty() ? static_cast<uint8_t>(entry->mbrType)
                                       : platform::MbrTypeForGptType(entry->typeGuid, fileSystem);
    }
    if (kind == 0) kind = platform::MbrTypeForFileSystem(fileSystem);
    const char* name = fileSystem.c_str();
    if (!strcasecmp(name, "NTFS")) return kKindNtfs;
    if (!strcasecmp(name, "FAT32")) return kKindFat32;
    if (!strcasecmp(name, "FAT")) return kKindFat;
    return kind;
}

}  // namespace orvalis::imaging
