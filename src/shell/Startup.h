#pragma once
// The program's start-up and shutdown, in order: the report store and the check of the
// report templates, the single instance, the host (display, fonts, input), the main window,
// the message loop; then the skin archive and the host are released again.

#include <functional>
#include <string>

#include "toolkit/Host.h"

namespace orvalis::shell {

class CMainWnd;

// The single-instance name that every start of the program shares.
inline constexpr const char* kInstanceName = "Global\\Tessaly_Orvalis_2019_For_Windows";
inline constexpr const char* kInvalidReportTheme = "Invalid Report Theme.";
inline constexpr const char* kAlreadyRunning = "Orvalis is running.";

struct StartupEnvironment {
    // Brings the host up and returns it (null when it cannot); called when the first window
    // is needed, also for a start-up message before anything else was set up.
    std::function<DuiLib::IHost*()> startHost;
    // Takes the host down after the message loop.
    std::function<void()> stopHost;
    std::string instanceName = kInstanceName;
    // The report-template check, 0 when every template is intact. Empty: the process-wide
    // report store's.
    std::function<int()> checkReportTheme;
    // Called with the main window object before its window is created (to add pages).
    std::function<void(CMainWnd&)> prepareMainWindow;
    // Called once the main window is shown, before the message loop.
    std::function<void(CMainWnd&)> onMainWindowShown;
    // Block devices coming and going refresh the disk list.
    bool watchDevices = true;
};

// Runs the program; returns its exit code (0 on every path it controls).
int RunOrvalis(StartupEnvironment& environment);

}  // namespace orvalis::shell
