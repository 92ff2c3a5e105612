#include "shell/Startup.h"

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <optional>

#include "platform/DeviceMonitor.h"
#include "platform/Paths.h"
#include "platform/SingleInstance.h"
#include "reports/ReportStore.h"
#include "shell/CMainWnd.h"
#include "shell/CMessageBox.h"
#include "toolkit/SkinPackage.h"
#include "toolkit/WindowImplBase.h"

namespace orvalis::shell {

using namespace DuiLib;

namespace {

constexpr int kStartupBoxWidth = 350;
constexpr int kThemeBoxHeight = 160;
constexpr int kRunningBoxHeight = 150;
constexpr int kWindowRefused = 1;
constexpr const char* kResourceErrorCaption = "RevereREZ";
constexpr std::chrono::milliseconds kShowAnswerTimeout{1500};

// The host comes up once, on first need, and goes down at the end.
class HostLifetime {
public:
    explicit HostLifetime(StartupEnvironment& env) : m_env(env) {}
    ~HostLifetime() { Stop(); }
    bool Ensure() {
        if (m_started) return GetHost() != nullptr;
        m_started = true;
        IHost* host = m_env.startHost ? m_env.startHost() : GetHost();
        if (host) SetHost(host);
        return host != nullptr;
    }
    void Stop() {
        if (!m_started) return;
        m_started = false;
        if (m_env.stopHost) m_env.stopHost();
    }

private:
    StartupEnvironment& m_env;
    bool m_started = false;
};

int CheckReportTheme(StartupEnvironment& env) {
    if (env.checkReportTheme) return env.checkReportTheme();
    reports::ReportStore& store = reports::ReportStore::Instance();
    return store.CheckReportTheme();
}

// Brings a window of that title back to normal, also from minimised or maximised.
bool ShowWindowTitled(const std::string& title) {
    HWND hwnd = FindWindow("", title);
    if (!hwnd) return false;
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    if (IsZoomed(hwnd)) SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    return true;
}

}  // namespace

int RunOrvalis(StartupEnvironment& env) {
    HostLifetime host(env);

    // The report store first (it makes the data folders), then its template check.
    if (CheckReportTheme(env) != 0) {
        if (host.Ensure()) ShowMessageBox(kBoxInformation, nullptr, kInvalidReportTheme, kStartupBoxWidth, kThemeBoxHeight);
        return 0;
    }

    // The main window's handle, for the listener thread of the single instance; null until
    // the window is up and again once the loop has ended.
    std::atomic<HWND> mainWindow{nullptr};
    platform::SingleInstance instance(env.instanceName);
    if (instance.AnotherIsRunning()) {
        if (instance.AskToShowWindow(kMainWindowTitle)) return 0;
        if (host.Ensure()) ShowMessageBox(kBoxInformation, nullptr, kAlreadyRunning, kStartupBoxWidth, kRunningBoxHeight);
        return 0;
    }
    instance.SetShowRequestHandler([&mainWindow](const std::string& title) {
        HWND anchor = mainWindow.load();
        if (!anchor) return false;
        // Asked on the UI thread; an answer that does not come in time counts as no window.
        auto answer = std::make_shared<std::promise<bool>>();
        std::future<bool> shown = answer->get_future();
        if (!PostTask(anchor, [answer, title] { answer->set_value(ShowWindowTitled(title)); })) return false;
        if (shown.wait_for(kShowAnswerTimeout) != std::future_status::ready) return false;
        return shown.get();
    });

    CResourceManager::SetInstancePath(platform::ProgramFolder());
    if (!host.Ensure()) return 0;
    // A layout that cannot be read is told in a plain system box under this caption.
    SetResourceErrorCaption(kResourceErrorCaption);

    auto* window = new CMainWnd;
    if (env.prepareMainWindow) env.prepareMainWindow(*window);
    HWND hwnd = window->Create(nullptr, kMainWindowTitle, kMainWindowStyle, kMainWindowExStyle, 0, 0, 800, 600);
    if (!hwnd) {
        // The refused window has already been destroyed, and its object with it; the quit
        // request it left behind ends nothing now.
        MSG msg;
        while (PeekMessage(&msg)) {
        }
        return kWindowRefused;
    }
    window->CenterWindow();
    window->ShowWindow(true, true);
    mainWindow.store(hwnd);

    std::optional<platform::DeviceMonitor> devices;
    if (env.watchDevices) {
        devices.emplace([hwnd](platform::DeviceMonitor::Event event) {
            WPARAM code = event == platform::DeviceMonitor::Event::Arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
            PostMessage(hwnd, WM_DEVICECHANGE, code, 0);
        });
    }
    if (env.onMainWindowShown && IsWindow(hwnd)) env.onMainWindowShown(*window);

    RunMessageLoop();

    mainWindow.store(nullptr);
    devices.reset();
    CResourceManager::CloseArchive();
    host.Stop();
    return 0;
}

}  // namespace orvalis::shell
