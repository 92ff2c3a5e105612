#include "localization/LanguageCatalogue.h"

#include "platform/Paths.h"
#include "platform/Profile.h"

namespace orvalis::localization {
namespace {

constexpr size_t kLanguageIdBufferChars = 64;
constexpr size_t kLanguageListLineChars = 127;
constexpr size_t kSectionNameChars = 255;
constexpr size_t kTextLineChars = 1023;
constexpr const char* kDefaultLanguage = "English";

// "key=text" split at the first "="; a line without one is both key and text.
std::pair<std::string, std::string> SplitLine(const std::string& line) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) return {line, line};
    return {line.substr(0, eq), line.substr(eq + 1)};
}

}  // namespace

LanguageCatalogue& LanguageCatalogue::Instance() {
    static LanguageCatalogue catalogue(platform::ProgramFolder());
    return catalogue;
}

LanguageCatalogue::LanguageCatalogue(const std::string& programFolder)
    : configPath_(programFolder + "config.ini"),
      languagesFolder_(programFolder + "Languages" + platform::kPathSeparator) {
    ReadCurrentLanguage();
    ReadAvailableLanguages();
    LoadLanguageFile();
}

void LanguageCatalogue::ReadCurrentLanguage() {
    current_ = platform::GetProfileString(configPath_, "DefaultLanguage", "Default",
                                          kDefaultLanguage, kLanguageIdBufferChars);
}

void LanguageCatalogue::ReadAvailableLanguages() {
    languages_.clear();
    for (const std::string& raw : platform::GetProfileSection(configPath_, "Languages")) {
        std::string line = platform::TruncateCodePoints(raw, kLanguageListLineChars);
        size_t eq = line.find('=');
        LanguageInfo info;
        info.identifier = line.substr(0, eq);
        info.displayName = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        languages_.push_back(std::move(info));
    }
}

void LanguageCatalogue::LoadLanguageFile() {
    // Sections keep their identity across a reload: windows hold references to them.
    for (auto& [name, section] : sections_) section.clear();

    std::string path = languagesFolder_ + current_ + ".ini";
    auto doc = platform::ProfileDocument::Load(path);
    if (!doc) return;
    for (const std::string& rawName : doc->SectionNames()) {
        std::string name = platform::TruncateCodePoints(rawName, kSectionNameChars);
        for (const std::string& raw : doc->SectionLines(name)) {
            auto [key, text] = SplitLine(platform::TruncateCodePoints(raw, kTextLineChars));
            // The first text of a key stays.
            sections_[name].emplace(std::move(key), std::move(text));
        }
    }
}

LanguageSection& LanguageCatalogue::GetLanguageSection(const std::string& name) {
    return sections_[name];
}

std::string LanguageCatalogue::LookUpText(const std::string& section,
                                          const std::string& key) const {
    auto s = sections_.find(section);
    if (s == sections_.end()) return {};
    auto k = s->second.find(key);
    return k == s->second.end() ? std::string() : k->second;
}

void LanguageCatalogue::SetCurrentLanguage(const std::string& identifier) {
    platform::WriteProfileString(configPath_, "DefaultLanguage", "Default", identifier);
    ReadCurrentLanguage();
    LoadLanguageFile();
}

std::vector<std::string> LanguageCatalogue::SectionNames() const {
    std::vector<std::string> names;
    for (const auto& [name, section] : sections_) names.push_back(name);
    return names;
}

LanguageSection& GetLanguageSection(const std::string& name) {
    return LanguageCatalogue::Instance().GetLanguageSection(name);
}

std::string LookUpText(const std::string& section, const std::string& key) {
    return LanguageCatalogue::Instance().LookUpText(section, key);
}

}  // namespace orvalis::localization
