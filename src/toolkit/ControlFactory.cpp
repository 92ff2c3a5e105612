#include "toolkit/ControlFactory.h"

#include <map>
#include <mutex>

namespace DuiLib {

namespace {
// Built on first use: registrars run during static initialisation in any order.
std::map<std::string, ControlFactory, std::less<>>& Table() {
    static std::map<std::string, ControlFactory, std::less<>> table;
    return table;
}
std::mutex& TableMutex() {
    static std::mutex mutex;
    return mutex;
}
}  // namespace

void RegisterControlClass(const std::string& tag, ControlFactory factory) {
    std::lock_guard lock(TableMutex());
    Table()[tag] = std::move(factory);
}

CControlUI* CreateControlByTag(std::string_view tag) {
    ControlFactory factory;
    {
        std::lock_guard lock(TableMutex());
        auto it = Table().find(tag);
        if (it == Table().end()) return nullptr;
        factory = it->second;
    }
    return factory();
}

std::vector<std::string> RegisteredControlTags() {
    std::lock_guard lock(TableMutex());
    std::vector<std::string> tags;
    for (auto& [tag, factory] : Table()) tags.push_back(tag);
    return tags;
}

}  // namespace DuiLib
