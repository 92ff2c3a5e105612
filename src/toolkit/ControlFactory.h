#pragma once
// The table of layout tags. Each control class registers its tag and factory from its own
// source file; the layout builder only looks tags up.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace DuiLib {

class CControlUI;

using ControlFactory = std::function<CControlUI*()>;

void RegisterControlClass(const std::string& tag, ControlFactory factory);
// Null when no class has that tag.
CControlUI* CreateControlByTag(std::string_view tag);
std::vector<std::string> RegisteredControlTags();

struct ControlRegistrar {
    ControlRegistrar(const char* tag, ControlFactory factory) { RegisterControlClass(tag, std::move(factory)); }
};

}  // namespace DuiLib

#define DUI_REGISTER_CONTROL(tag, Class) \
    static const ::DuiLib::ControlRegistrar g_register_##Class(tag, [] { return static_cast<::DuiLib::CControlUI*>(new Class); })
