#pragma once
// The skin package: one ZIP archive embedded in the program (or given by the caller) from
// which layouts and images are read, and the resource folder that images outside the
// archive are looked up in.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace DuiLib {

// Programs embed their skin under a resource type and id; see orvalis_embed_skin().
void RegisterEmbeddedResource(const std::string& type, int id, const uint8_t* data, size_t size);
// Empty when nothing is registered under that type and id.
std::string_view FindEmbeddedResource(const std::string& type, int id);

class CResourceManager {
public:
    // The program folder (the folder of the executable by default).
    static std::string GetInstancePath();
    static void SetInstancePath(const std::string& path);
    // The folder images outside the archive are looked up in first.
    static std::string GetResourcePath();
    static void SetResourcePath(const std::string& path);

    // Opens an archive held in memory (the bytes must outlive it); false when the bytes are
    // empty or not a ZIP archive, in which case no archive is open.
    static bool SetResourceZip(std::string_view bytes);
    // Opens a ZIP file; false when it cannot be read.
    static bool SetResourceZipFile(const std::string& path);
    static bool HasArchive();
    static void CloseArchive();

    // A layout: from the archive when one is open, otherwise from the resource folder.
    static std::optional<std::string> LoadLayout(const std::string& name);
    // Any other file (images): the archive first, then the resource folder, then the name
    // as it stands (so absolute paths work).
    static std::optional<std::string> LoadFile(const std::string& name);
    // "xml\\skin.xml" -> "xml/skin.xml".
    static std::string NormalizeName(std::string_view name);
};

}  // namespace DuiLib
