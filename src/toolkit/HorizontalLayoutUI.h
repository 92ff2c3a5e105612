#pragma once
// Children side by side from left to right: fixed widths keep their size, the others share
// the rest; heights stretch unless fixed (then centred vertically).

#include "toolkit/ContainerUI.h"

namespace DuiLib {

class CHorizontalLayoutUI : public CContainerUI {
public:
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
};

}  // namespace DuiLib
