#pragma once
// Builds a control tree from an XML layout of the skin package: the Window element and its
// Font, Default, Style and Image elements, Include of other layout files, and controls by
// tag (the window's own factory first, then the registered classes). Every error names the
// file, the line and the element.

#include <string>
#include <string_view>

namespace DuiLib {

class CControlUI;
class CPaintManagerUI;

class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A control for a layout tag the window knows, or null to leave the tag to the toolkit.
    virtual CControlUI* CreateControl(const std::string& tag) = 0;
};

class CDialogBuilder {
public:
    // Builds the layout file of the skin package (or resource folder). Null on error.
    CControlUI* Create(const std::string& file, IDialogBuilderCallback* callback = nullptr,
                       CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);
    // Builds a layout held in memory; `file` names it in error messages.
    CControlUI* CreateFromString(std::string_view xml, const std::string& file, IDialogBuilderCallback* callback = nullptr,
                                 CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);
    const std::string& GetLastError() const { return m_error; }

private:
    std::string m_error;
};

}  // namespace DuiLib
