// orvalis-cli languages: the delivered languages, the current one marked.
#include <cstdio>

#include "app/cli/CliCommand.h"
#include "localization/LanguageCatalogue.h"

namespace orvalis::cli {
namespace {

int RunLanguages(const Arguments& args);

const CommandInfo kInfo{"languages", "languages",
                        "List the available languages; * marks the current one", &RunLanguages};
const CommandRegistrar kLanguages{kInfo};

int RunLanguages(const Arguments& args) {
    if (!args.empty()) return UsageError(kInfo, "no arguments expected");
    const auto& catalogue = localization::LanguageCatalogue::Instance();
    const auto& languages = catalogue.GetAvailableLanguages();
    if (languages.empty()) {
        std::printf("No languages are listed in %s; the current language is %s.\n",
                    catalogue.ConfigurationPath().c_str(), catalogue.GetCurrentLanguage().c_str());
        return kExitOk;
    }
    for (const auto& language : languages) {
        bool current = language.identifier == catalogue.GetCurrentLanguage();
        std::printf("%c %-16s %s\n", current ? '*' : ' ', language.identifier.c_str(),
                    language.displayName.c_str());
    }
    return kExitOk;
}

}  // namespace
}  // namespace orvalis::cli
