// Orvalis: the desktop program.
#include <memory>

#include "shell/Startup.h"
#include "toolkit/host/qt/QtHost.h"

int main() {
    std::unique_ptr<DuiLib::CQtHost> host;
    orvalis::shell::StartupEnvironment environment;
    environment.startHost = [&host]() -> DuiLib::IHost* {
        host = std::make_unique<DuiLib::CQtHost>();
        return host.get();
    };
    environment.stopHost = [&host] {
        DuiLib::SetHost(nullptr);
        host.reset();
    };
    return orvalis::shell::RunOrvalis(environment);
}
