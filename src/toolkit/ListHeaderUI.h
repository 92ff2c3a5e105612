#pragma once
// The row of column headings of a list.

#include "toolkit/HorizontalLayoutUI.h"

namespace DuiLib {

class CListHeaderUI : public CHorizontalLayoutUI {
public:
    CListHeaderUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    SIZE EstimateSize(SIZE available) override;
};

}  // namespace DuiLib
