#include "toolkit/SkinPackage.h"

#include <zip.h>

#include <map>
#include <mutex>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace DuiLib {

namespace {

std::mutex g_mutex;
std::map<std::pair<std::string, int>, std::string_view>& Embedded() {
    static std::map<std::pair<std::string, int>, std::string_view> table;
    return table;
}

std::string g_instancePath;
std::string g_resourcePath;
zip_t* g_archive = nullptr;
std::string g_archiveCopy;  // for archives opened from a file

std::optional<std::string> ReadFromArchive(const std::string& name) {
    if (!g_archive) return std::nullopt;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(g_archive, name.c_str(), ZIP_FL_NOCASE, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) return std::nullopt;
    zip_file_t* file = zip_fopen_index(g_archive, st.index, 0);
    if (!file) return std::nullopt;
    std::string bytes(static_cast<size_t>(st.size), '\0');
    zip_int64_t got = bytes.empty() ? 0 : zip_fread(file, bytes.data(), bytes.size());
    zip_fclose(file);
    if (got < 0 || static_cast<zip_uint64_t>(got) != st.size) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadFromFolder(const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (name.front() != '/' && !g_resourcePath.empty()) {
        if (auto bytes = orvalis::platform::ReadWholeFile(orvalis::platform::JoinPath(g_resourcePath, name)))
            return bytes;
    }
    if (orvalis::platform::IsRegularFile(name)) return orvalis::platform::ReadWholeFile(name);
    return std::nullopt;
}

}  // namespace

void RegisterEmbeddedResource(const std::string& type, int id, const uint8_t* data, size_t size) {
    std::lock_guard lock(g_mutex);
    Embedded()[{type, id}] = std::string_view(reinterpret_cast<const char*>(data), size);
}

std::string_view FindEmbeddedResource(const std::string& type, int id) {
    std::lock_guard lock(g_mutex);
    auto it = Embedded().find({type, id});
    return it == Embedded().end() ? std::string_view() : it->second;
}

std::string CResourceManager::GetInstancePath() {
    std::lock_guard lock(g_mutex);
    if (g_instancePath.empty()) g_instancePath = orvalis::platform::ProgramFolder();
    return g_instancePath;
}

void CResourceManager::SetInstancePath(const std::string& path) {
    std::lock_guard lock(g_mutex);
    g_instancePath = path;
}

std::string CResourceManager::GetResourcePath() {
    std::lock_guard lock(g_mutex);
    return g_resourcePath;
}

void CResourceManager::SetResourcePath(const std::string& path) {
    std::lock_guard lock(g_mutex);
    g_resourcePath = NormalizeName(path);
}

bool CResourceManager::SetResourceZip(std::string_view bytes) {
    std::lock_guard lock(g_mutex);
    if (g_archive) {
        zip_discard(g_archive);
        g_archive = nullptr;
    }
    if (bytes.empty()) return false;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return false;
    }
    g_archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!g_archive) zip_source_free(source);
    zip_error_fini(&error);
    return g_archive != nullptr;
}

bool CResourceManager::SetResourceZipFile(const std::string& path) {
    auto bytes = orvalis::platform::ReadWholeFile(path);
    if (!bytes) return false;
    CloseArchive();
    {
        std::lock_guard lock(g_mutex);
        g_archiveCopy = std::move(*bytes);
    }
    return SetResourceZip(g_archiveCopy);
}

bool CResourceManager::HasArchive() {
    std::lock_guard lock(g_mutex);
    return g_archive != nullptr;
}

void CResourceManager::CloseArchive() {
    std::lock_guard lock(g_mutex);
    if (g_archive) zip_discard(g_archive);
    g_archive = nullptr;
}

std::optional<std::string> CResourceManager::LoadLayout(const std::string& name) {
    std::string normal = NormalizeName(name);
    std::lock_guard lock(g_mutex);
    if (g_archive) return ReadFromArchive(normal);
    return ReadFromFolder(normal);
}

std::optional<std::string> CResourceManager::LoadFile(const std::string& name) {
    std::string normal = NormalizeName(name);
    std::lock_guard lock(g_mutex);
    if (auto bytes = ReadFromArchive(normal)) return bytes;
    return ReadFromFolder(normal);
}

std::string CResourceManager::NormalizeName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    while (out.size() > 2 && out.compare(0, 2, "./") == 0) out.erase(0, 2);
    return out;
}

}  // namespace DuiLib
