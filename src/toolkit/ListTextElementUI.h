#pragma once
// A row with one text per header column; each column may carry its own text style.

#include <vector>

#include "toolkit/ListLabelElementUI.h"

namespace DuiLib {

class CListTextElementUI : public CListLabelElementUI {
public:
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    std::string GetText(int column) const;
    void SetText(int column, const std::string& text);
    // A DT_* style for one column (otherwise the list's style).
    void SetTextStyle(int column, UINT style);
    std::string GetText() const override { return GetText(0); }
    void SetText(const std::string& text) override { SetText(0, text); }
    void DrawItemText(IRenderContext& ctx, const RECT& rc) override;

protected:
    // The rectangle of a column within the row.
    RECT ColumnRect(int column, const RECT& row) const;
    virtual void DrawColumnText(IRenderContext& ctx, int column, const RECT& rc);

    std::vector<std::string> m_texts;
    std::vector<UINT> m_styles;  // 0: the list's style
};

}  // namespace DuiLib
