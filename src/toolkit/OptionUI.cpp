#include "toolkit/OptionUI.h"

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("Option", COptionUI);

namespace {
const AttributeTable<COptionUI> kAttributes = {
    {"group", AttrString<COptionUI>(&COptionUI::SetGroup)},
    {"selected", AttrBool<COptionUI>(+[](COptionUI& c, bool v) { c.Selected(v, false); })},
    {"selectedimage", AttrImage<COptionUI>(&COptionUI::SetSelectedImage)},
    {"selectedhotimage", AttrImage<COptionUI>(&COptionUI::SetSelectedHotImage)},
    {"selectedtextcolor", AttrColor<COptionUI>(&COptionUI::SetSelectedTextColor)},
    {"selectedbkcolor", AttrColor<COptionUI>(&COptionUI::SetSelectedBkColor)},
};
}  // namespace

COptionUI::COptionUI() = default;

COptionUI::~COptionUI() {
    if (!m_sGroupName.empty() && m_pManager) m_pManager->RemoveOptionGroup(m_sGroupName, this);
}

std::string COptionUI::GetClass() const { return "OptionUI"; }

void* COptionUI::GetInterface(std::string_view name) {
    if (name == "Option" || name == "OptionUI") return this;
    return CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (m_pManager && manager != m_pManager && !m_sGroupName.empty()) m_pManager->RemoveOptionGroup(m_sGroupName, this);
    CButtonUI::SetManager(manager, parent, init);
    if (init && m_pManager && !m_sGroupName.empty()) m_pManager->AddOptionGroup(m_sGroupName, this);
}

void COptionUI::SetGroup(const std::string& group) {
    if (group == m_sGroupName) return;
    if (m_pManager && !m_sGroupName.empty()) m_pManager->RemoveOptionGroup(m_sGroupName, this);
    m_sGroupName = group;
    if (m_pManager && !m_sGroupName.empty()) m_pManager->AddOptionGroup(m_sGroupName, this);
    Selected(m_bSelected, false);
}

void COptionUI::Selected(bool selected, bool triggerEvent) {
    if (m_bSelected == selected && !(selected && !m_sGroupName.empty())) return;
    bool changed = m_bSelected != selected;
    m_bSelected = selected;
    if (m_bSelected) m_uButtonState |= UISTATE_SELECTED;
    else m_uButtonState &= ~UISTATE_SELECTED;
    if (m_pManager && !m_sGroupName.empty() && m_bSelected) {
        // Copy: deselecting may not change the group, but a handler could.
        if (const auto* group = m_pManager->GetOptionGroup(m_sGroupName)) {
            std::vector<CControlUI*> members = *group;
            for (CControlUI* member : members) {
                auto* option = static_cast<COptionUI*>(member);
                if (option != this && option->m_bSelected) option->Selected(false, false);
            }
        }
    }
    Invalidate();
    if (changed && triggerEvent && m_pManager) {
        // In a group only the option that became selected speaks.
        if (m_sGroupName.empty() || m_bSelected) m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED);
    }
}

bool COptionUI::Activate() {
    if (!CButtonUI::Activate()) return false;
    if (!m_sGroupName.empty()) Selected(true);
    else Selected(!m_bSelected);
    return true;
}

ARGB COptionUI::CurrentTextColor() const {
    if (m_bSelected && IsEnabled() && m_dwSelectedTextColor) return m_dwSelectedTextColor;
    return CButtonUI::CurrentTextColor();
}

void COptionUI::PaintBkColor(IRenderContext& ctx) {
    if (m_bSelected && m_dwSelectedBkColor) {
        if (m_cxyBorderRound.cx > 0) ctx.FillRoundRect(m_rcItem, m_cxyBorderRound.cx, m_dwSelectedBkColor);
        else ctx.FillRect(m_rcItem, m_dwSelectedBkColor);
        return;
    }
    CButtonUI::PaintBkColor(ctx);
}

void COptionUI::PaintStateImage(IRenderContext& ctx) {
    if (m_bSelected) {
        if ((m_uButtonState & UISTATE_HOT) && DrawImage(ctx, m_sSelectedHotImage)) return;
        if (DrawImage(ctx, m_sSelectedImage)) return;
    }
    CButtonUI::PaintStateImage(ctx);
}

AttrResult COptionUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CButtonUI::SetAttribute(name, value);
}

}  // namespace DuiLib
