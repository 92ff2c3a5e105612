#pragma once
// A row with per-column texts and one image in the first column: an image description
// (placed by its dest inside the column; a second description while selected) or a
// picture such as a file icon, drawn before the text.

#include <memory>

#include "toolkit/ListTextElementUI.h"

namespace DuiLib {

class CListImageTextElementUI : public CListTextElementUI {
public:
    std::string GetClass() const override;
    void* GetInterface(std::string_view name) override;

    const std::string& GetImage() const { return m_sImage; }
    void SetImage(const std::string& desc) { m_sImage = desc; Invalidate(); }
    void SetSelectedImage(const std::string& desc) { m_sSelectedImage = desc; Invalidate(); }
    void SetIcon(std::shared_ptr<IHostImage> icon) { m_icon = std::move(icon); Invalidate(); }
    const std::shared_ptr<IHostImage>& GetIcon() const { return m_icon; }
    AttrResult SetAttribute(std::string_view name, std::string_view value) override;

protected:
    void DrawColumnText(IRenderContext& ctx, int column, const RECT& rc) override;

    std::string m_sImage;
    std::string m_sSelectedImage;
    std::shared_ptr<IHostImage> m_icon;
};

}  // namespace DuiLib
