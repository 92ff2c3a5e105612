#include "shell/ShellLanguage.h"

#include <atomic>

namespace orvalis::shell {

namespace {
std::atomic<localization::LanguageCatalogue*> g_catalogue{nullptr};
}

localization::LanguageCatalogue& Catalogue() {
    localization::LanguageCatalogue* c = g_catalogue.load();
    return c ? *c : localization::LanguageCatalogue::Instance();
}

void UseCatalogue(localization::LanguageCatalogue* catalogue) { g_catalogue.store(catalogue); }

void ApplyWindowTexts(DuiLib::CPaintManagerUI& window, const localization::LanguageSection& section,
                      DisabledControls mode) {
    for (const auto& [key, text] : section) {
        DuiLib::CControlUI* control = window.FindControl(key);
        if (!control) continue;
        if (mode == DisabledControls::SetDirectly) {
            control->SetText(text);
            continue;
        }
        bool disabled = !control->IsEnabled();
        if (disabled) control->SetEnabled(true);
        control->SetText(text);
        if (disabled) control->SetEnabled(false);
        control->NeedParentUpdate();
    }
}

void ApplyWindowTexts(DuiLib::CPaintManagerUI& window, const std::string& sectionName, DisabledControls mode) {
    ApplyWindowTexts(window, Catalogue().GetLanguageSection(sectionName), mode);
}

}  // namespace orvalis::shell
