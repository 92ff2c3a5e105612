#include "toolkit/FadeButtonUI.h"

#include "toolkit/ControlFactory.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("FadeButton", CFadeButtonUI);

std::string CFadeButtonUI::GetClass() const { return "FadeButtonUI"; }

void* CFadeButtonUI::GetInterface(std::string_view name) {
    if (name == "FadeButton" || name == "FadeButtonUI") return this;
    return CButtonUI::GetInterface(name);
}

void CFadeButtonUI::PaintStateImage(IRenderContext& ctx) {
    if (!IsEnabled() || (m_uButtonState & UISTATE_PUSHED)) {
        CButtonUI::PaintStateImage(ctx);
        return;
    }
    DrawImage(ctx, m_sNormalImage);
    if (m_uButtonState & UISTATE_HOT) DrawImage(ctx, m_sHotImage);
}

}  // namespace DuiLib
