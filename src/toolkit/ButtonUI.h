#pragma once
// A label that can be pressed: normal, hot, pushed, focused and disabled looks, and "click"
// when released over itself (or on Space and Enter).

#include "toolkit/LabelUI.h"

namespace DuiLib {

class CButtonUI : public CLabelUI {
public:
    CButtonUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;
    void PaintStatusImage(IRenderContext& ctx) override;
    void PaintBkColor(IRenderContext& ctx) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

    void SetNormalImage(const std::string& image) { m_sNormalImage = image; Invalidate(); }
    void SetHotImage(const std::string& image) { m_sHotImage = image; Invalidate(); }
    void SetPushedImage(const std::string& image) { m_sPushedImage = image; Invalidate(); }
    void SetFocusedImage(const std::string& image) { m_sFocusedImage = image; Invalidate(); }
    void SetDisabledImage(const std::string& image) { m_sDisabledImage = image; Invalidate(); }
    void SetHotBkColor(ARGB color) { m_dwHotBkColor = color; }
    void SetPushedBkColor(ARGB color) { m_dwPushedBkColor = color; }
    void SetHotTextColor(ARGB color) { m_dwHotTextColor = color; }
    void SetPushedTextColor(ARGB color) { m_dwPushedTextColor = color; }
    void SetFocusedTextColor(ARGB color) { m_dwFocusedTextColor = color; }
    UINT GetButtonState() const { return m_uButtonState; }

protected:
    ARGB CurrentTextColor() const override;
    // The picture of the current state (disabled, pushed, hot, focused, else normal).
    virtual void PaintStateImage(IRenderContext& ctx);

    UINT m_uButtonState = 0;
    std::string m_sNormalImage;
    std::string m_sHotImage;
    std::string m_sPushedImage;
    std::string m_sFocusedImage;
    std::string m_sDisabledImage;
    ARGB m_dwHotBkColor = 0;
    ARGB m_dwPushedBkColor = 0;
    ARGB m_dwHotTextColor = 0;
    ARGB m_dwPushedTextColor = 0;
    ARGB m_dwFocusedTextColor = 0;
};

}  // namespace DuiLib
