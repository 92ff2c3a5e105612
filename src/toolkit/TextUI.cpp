#include "toolkit/TextUI.h"

#include "toolkit/ControlFactory.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("Text", CTextUI);

CTextUI::CTextUI() { m_uTextStyle = DT_WORDBREAK; }

std::string CTextUI::GetClass() const { return "TextUI"; }

void* CTextUI::GetInterface(std::string_view name) {
    if (name == "Text" || name == "TextUI") return this;
    return CLabelUI::GetInterface(name);
}

}  // namespace DuiLib
