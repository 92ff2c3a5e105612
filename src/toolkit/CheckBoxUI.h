#pragma once
// An option that toggles on every click.

#include "toolkit/OptionUI.h"

namespace DuiLib {

class CCheckBoxUI : public COptionUI {
public:
    // Without images a check box draws a box, or (for tree folder buttons) an arrow.
    enum class Glyph { Box, Arrow };
    CCheckBoxUI();
    void SetGlyph(Glyph glyph) { m_glyph = glyph; Invalidate(); }
    void PaintStatusImage(IRenderContext& ctx) override;
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check, bool triggerEvent = true) { Selected(check, triggerEvent); }

private:
    Glyph m_glyph = Glyph::Box;
};

}  // namespace DuiLib
