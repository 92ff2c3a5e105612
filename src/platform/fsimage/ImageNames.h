#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace orvalis::fsimage {

// The names each file system records, made from the user's names: ISO 9660 d-characters
// (upper case, A-Z 0-9 _, 30 characters with the extension, 31 for folders), Joliet UCS-2
// (64 units, no * / : ; ? \), UDF compressed Unicode (254 bytes). A name that has to be cut
// or that clashes with another in its folder gets a number that makes it unique, keeping
// its extension.
class ImageNames {
public:
    struct Entry {
        std::string name;
        bool directory = false;
    };

    static std::u32string DecodeUtf8(const std::string& text);
    static std::u16string ToUtf16(const std::u32string& text);

    // Names for the entries of one folder, in the same order. Fails with kFsiNoUniqueName.
    static Result<std::vector<std::string>> IsoNames(const std::vector<Entry>& entries);
    static Result<std::vector<std::u16string>> JolietNames(const std::vector<Entry>& entries);
    static Result<std::vector<std::u16string>> UdfNames(const std::vector<Entry>& entries);

    // ISO 9660 volume identifier (d-characters, up to 32).
    static std::string IsoVolumeId(const std::string& name);
    // Compressed Unicode bytes (compression id first) of a text.
    static std::vector<uint8_t> UdfCompressed(const std::u16string& text);
};

}  // namespace orvalis::fsimage
