#pragma once
// A button whose hot image is blended over its normal image instead of replacing it.

#include "toolkit/ButtonUI.h"

namespace DuiLib {

class CFadeButtonUI : public CButtonUI {
public:
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

protected:
    void PaintStateImage(IRenderContext& ctx) override;
};

}  // namespace DuiLib
