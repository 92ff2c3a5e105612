#pragma once

#include "toolkit/LabelUI.h"

namespace DuiLib {

// A label that breaks its text into lines by default.
class CTextUI : public CLabelUI {
public:
    CTextUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
};

}  // namespace DuiLib
