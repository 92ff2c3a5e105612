#pragma once
// A bar filled in proportion to a value within a range.

#include "toolkit/LabelUI.h"

namespace DuiLib {

class CProgressUI : public CLabelUI {
public:
    CProgressUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal = true) { m_bHorizontal = horizontal; Invalidate(); }
    int GetMinValue() const { return m_nMin; }
    void SetMinValue(int min);
    int GetMaxValue() const { return m_nMax; }
    void SetMaxValue(int max);
    int GetValue() const { return m_nValue; }
    void SetValue(int value);
    // The filled part of the control's rectangle.
    RECT GetFilledRect() const;

    void PaintStatusImage(IRenderContext& ctx) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

private:
    bool m_bHorizontal = true;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
};

}  // namespace DuiLib
