#include "shell/CMenuUI.h"

#include <algorithm>

#include "shell/CMenuElementUI.h"

namespace orvalis::shell {

using namespace DuiLib;

CMenuUI::CMenuUI() {
    // A menu is as tall as its items; it never scrolls sideways.
    GetHeader()->SetVisible(false);
}

std::string CMenuUI::GetClass() const { return "MenuUI"; }

void* CMenuUI::GetInterface(std::string_view name) {
    if (name == "Menu" || name == "MenuUI") return this;
    return CListUI::GetInterface(name);
}

SIZE CMenuUI::ContentSize() const {
    int width = 0, height = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (!item || !item->IsOwnVisible()) continue;
        SIZE sz = item->EstimateSize({0, 0});
        width = std::max(width, sz.cx);
        height += sz.cy;
    }
    return {width + m_rcInset.left + m_rcInset.right, height + m_rcInset.top + m_rcInset.bottom};
}

}  // namespace orvalis::shell
