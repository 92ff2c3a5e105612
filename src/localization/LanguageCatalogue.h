#pragma once

#include <map>
#include <string>
#include <vector>

namespace orvalis::localization {

// Key -> text of one section of a language file; keys compare exactly (case matters).
using LanguageSection = std::map<std::string, std::string>;

struct LanguageInfo {
    std::string identifier;   // "Deutsch": also the language file's name
    std::string displayName;  // what the language menu shows
};

// The process-wide current language: which languages exist (config.ini), which one is
// chosen, and the chosen language file in memory as named sections.
//
// Built, reloaded and written on the UI thread only. Worker threads may read it at any time
// without a lock: a lookup never changes it. A section reference stays valid for the life of
// the catalogue; a language change replaces its content in place.
class LanguageCatalogue {
public:
    // The one catalogue of the process, built on first use from the program folder.
    static LanguageCatalogue& Instance();

    // A catalogue over the config.ini and Languages/ of the given folder (which ends in a
    // separator).
    explicit LanguageCatalogue(const std::string& programFolder);

    // The section of that name; one the file lacks is created empty.
    LanguageSection& GetLanguageSection(const std::string& name);
    // The text of a key; a missing section or key gives an empty text.
    std::string LookUpText(const std::string& section, const std::string& key) const;

    const std::vector<LanguageInfo>& GetAvailableLanguages() const { return languages_; }
    const std::string& GetCurrentLanguage() const { return current_; }
    // Writes the choice to config.ini, reads it back and reloads the language file. When the
    // configuration cannot be written the previous language stays.
    void SetCurrentLanguage(const std::string& identifier);

    const std::string& ConfigurationPath() const { return configPath_; }
    const std::string& LanguagesFolder() const { return languagesFolder_; }
    // The names of the sections, in ascending order.
    std::vector<std::string> SectionNames() const;

private:
    void ReadCurrentLanguage();
    void ReadAvailableLanguages();
    void LoadLanguageFile();

    std::string configPath_;
    std::string languagesFolder_;
    std::string current_;
    std::vector<LanguageInfo> languages_;
    std::map<std::string, LanguageSection> sections_;
};

// Shorthands for the process-wide catalogue.
LanguageSection& GetLanguageSection(const std::string& name);
std::string LookUpText(const std::string& section, const std::string& key);

}  // namespace orvalis::localization
