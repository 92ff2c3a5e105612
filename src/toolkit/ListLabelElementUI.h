#pragma once
// A row of one text (the items of drop-down combos, and plain list rows).

#include "toolkit/ListElementUI.h"

namespace DuiLib {

class CListLabelElementUI : public CListElementUI {
public:
    CListLabelElementUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    SIZE EstimateSize(SIZE available) override;
    void DrawItemText(IRenderContext& ctx, const RECT& rc) override;
};

}  // namespace DuiLib
