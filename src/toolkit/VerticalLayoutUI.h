#pragma once
// Children stacked from top to bottom: fixed heights keep their size, the others share the
// rest; widths stretch unless fixed.

#include "toolkit/ContainerUI.h"

namespace DuiLib {

class CVerticalLayoutUI : public CContainerUI {
public:
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    // The total height the children need (for scrolling and for owners that size to content).
    int GetContentHeight() const { return m_cyContent; }

protected:
    int m_cyContent = 0;
};

}  // namespace DuiLib
