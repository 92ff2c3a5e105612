#include "shell/PageHandler.h"

#include <map>

namespace orvalis::shell {

namespace {
std::map<std::string, PageHandlerFactory>& Registry() {
    static std::map<std::string, PageHandlerFactory> registry;
    return registry;
}
}  // namespace

void RegisterPageHandler(const std::string& name, PageHandlerFactory factory) { Registry()[name] = std::move(factory); }

std::vector<std::unique_ptr<IPageHandler>> CreateRegisteredPageHandlers() {
    std::vector<std::unique_ptr<IPageHandler>> handlers;
    for (auto& [name, factory] : Registry()) {
        if (auto handler = factory()) handlers.push_back(std::move(handler));
    }
    return handlers;
}

}  // namespace orvalis::shell
