#pragma once
// A one-line text box drawn by the toolkit: caret, selection with mouse and Shift, the
// clipboard, input-method text through the host, a length limit, read-only and password
// modes. Raises "textchanged" on every change and "return" on Enter.

#include "toolkit/LabelUI.h"

namespace DuiLib {

class CEditUI : public CLabelUI {
public:
    CEditUI();
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;
    UINT GetControlFlags() const override;

    void SetText(const std::string& text) override;
    void SetMaxChar(int max) { m_iMaxChar = max; }
    int GetMaxChar() const { return m_iMaxChar; }
    void SetReadOnly(bool readOnly) { m_bReadOnly = readOnly; Invalidate(); }
    bool IsReadOnly() const { return m_bReadOnly; }
    void SetPasswordMode(bool password) { m_bPassword = password; Invalidate(); }
    void SetNativeBkColor(ARGB color) { m_dwEditBkColor = color; Invalidate(); }
    // Byte offsets into the UTF-8 text, always on character boundaries.
    size_t GetCaret() const { return m_caret; }
    void SetSel(size_t start, size_t end);
    void SetSelAll() { SetSel(0, m_sText.size()); }
    std::string GetSelText() const;
    void ReplaceSel(const std::string& text);
    const std::string& GetComposition() const { return m_composition; }

    void DoEvent(TEventUI& event) override;
    void PaintText(IRenderContext& ctx) override;
    void PaintStatusImage(IRenderContext& ctx) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

private:
    std::string DisplayText(const std::string& text) const;
    size_t OffsetAtX(int x) const;
    int XAtOffset(size_t offset) const;
    void MoveCaret(size_t to, bool extend);
    void Changed();
    void UpdateInputRect();
    RECT TextRect() const;

    size_t m_caret = 0;
    size_t m_anchor = 0;
    int m_iMaxChar = 255;
    bool m_bReadOnly = false;
    bool m_bPassword = false;
    bool m_bSelecting = false;
    ARGB m_dwEditBkColor = 0xFFFFFFFF;
    ARGB m_dwSelColor = 0xFF9CC3F0;
    std::string m_composition;
};

}  // namespace DuiLib
