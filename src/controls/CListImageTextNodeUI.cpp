#include "controls/CListImageTextNodeUI.h"

namespace orvalis::controls {

std::string CListImageTextNodeUI::GetClass() const { return "ListImageTextNodeUI"; }

void* CListImageTextNodeUI::GetInterface(std::string_view name) {
    if (name == "ListImageTextNodeUI") return this;
    return CListImageTextElementUI::GetInterface(name);
}

}  // namespace orvalis::controls
