#pragma once
// A button with a selected state. Options of one group select exclusively; the option that
// becomes selected raises "selectchanged". An option without a group toggles.

#include "toolkit/ButtonUI.h"

namespace DuiLib {

class COptionUI : public CButtonUI {
public:
    COptionUI();
    ~COptionUI() override;
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    bool Activate() override;
    const std::string& GetGroup() const { return m_sGroupName; }
    void SetGroup(const std::string& group);
    bool IsSelected() const { return m_bSelected; }
    // Changes the state; raises "selectchanged" when `triggerEvent` and a change happened.
    virtual void Selected(bool selected, bool triggerEvent = true);

    void SetSelectedImage(const std::string& image) { m_sSelectedImage = image; Invalidate(); }
    void SetSelectedHotImage(const std::string& image) { m_sSelectedHotImage = image; Invalidate(); }
    void SetSelectedTextColor(ARGB color) { m_dwSelectedTextColor = color; Invalidate(); }
    void SetSelectedBkColor(ARGB color) { m_dwSelectedBkColor = color; Invalidate(); }

    void PaintBkColor(IRenderContext& ctx) override;
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

protected:
    ARGB CurrentTextColor() const override;
    void PaintStateImage(IRenderContext& ctx) override;

    bool m_bSelected = false;
    std::string m_sGroupName;
    std::string m_sSelectedImage;
    std::string m_sSelectedHotImage;
    ARGB m_dwSelectedTextColor = 0;
    ARGB m_dwSelectedBkColor = 0;
};

}  // namespace DuiLib
