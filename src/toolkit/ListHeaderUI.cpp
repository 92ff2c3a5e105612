#include "toolkit/ListHeaderUI.h"

#include "toolkit/ControlFactory.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("ListHeader", CListHeaderUI);

namespace {
constexpr int kDefaultHeaderHeight = 26;
}

CListHeaderUI::CListHeaderUI() = default;

std::string CListHeaderUI::GetClass() const { return "ListHeaderUI"; }

void* CListHeaderUI::GetInterface(std::string_view name) {
    if (name == "ListHeader" || name == "ListHeaderUI") return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

SIZE CListHeaderUI::EstimateSize(SIZE) {
    if (GetCount() == 0) return {0, 0};
    return {m_cxyFixed.cx, m_cxyFixed.cy > 0 ? m_cxyFixed.cy : kDefaultHeaderHeight};
}

}  // namespace DuiLib
