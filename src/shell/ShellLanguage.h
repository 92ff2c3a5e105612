#pragma once
// The language catalogue the windows of the shell read, and the two ways of applying a
// section of it to a window's controls by name.

#include <string>

#include "localization/LanguageCatalogue.h"
#include "toolkit/PaintManagerUI.h"

namespace orvalis::shell {

// The process-wide catalogue, or the one a test put in its place.
localization::LanguageCatalogue& Catalogue();
// Null brings the process-wide catalogue back.
void UseCatalogue(localization::LanguageCatalogue* catalogue);

enum class DisabledControls {
    // Texts are set as they are.
    SetDirectly,
    // A disabled control is enabled for the moment its text is set, then disabled again, and
    // its parent lays out again (the main window's texts).
    EnableWhileSetting,
};

// For every key of the section, in key order, the control of that name gets the key's text;
// keys without such a control are skipped.
void ApplyWindowTexts(DuiLib::CPaintManagerUI& window, const localization::LanguageSection& section,
                      DisabledControls mode = DisabledControls::SetDirectly);
void ApplyWindowTexts(DuiLib::CPaintManagerUI& window, const std::string& sectionName,
                      DisabledControls mode = DisabledControls::SetDirectly);

}  // namespace orvalis::shell
