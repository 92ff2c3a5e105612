#pragma once
// What the shell tests share: the headless host and its driver, the real skin (embedded in
// the test), a language catalogue over a copy of the shipped language files, and a main
// window with a page that records what reaches it.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "localization/LanguageCatalogue.h"
#include "shell/CMainWnd.h"
#include "shell/ShellLanguage.h"
#include "toolkit/SkinPackage.h"
#include "toolkit/host/headless/HeadlessDriver.h"
#include "toolkit/host/headless/HeadlessHost.h"

namespace shell_test {

using namespace DuiLib;
using namespace orvalis::shell;

// A page that binds a recorder to the buttons the menus click and to every moment of the
// main window.
class RecordingPage : public IPageHandler {
public:
    struct Click {
        std::string control;
        WPARAM wParam;
        LPARAM lParam;
    };
    explicit RecordingPage(bool* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~RecordingPage() override {
        if (m_destroyed) *m_destroyed = true;
    }
    void Bind(CMainWnd& window) override {
        for (const char* name : {"BtnAddFile", "BtnAddFolder", "BtnRemoveFile", "BtnRemoveAll", "BtnLoadISO",
                                 "BtnExtractISO"}) {
            window.BindControl(name, "click", [this, name](TNotifyUI& msg) {
                clicks.push_back({name, msg.wParam, msg.lParam});
                return true;
            });
        }
        auto record = [this](const char* what) {
            return [this, what](int argument) { hooks.push_back(std::string(what) + "(" + std::to_string(argument) + ")"); };
        };
        window.AddHook(MainWndHook::FillDiskList, record("FillDiskList"));
        window.AddHook(MainWndHook::FillRecorderCombo, record("FillRecorderCombo"));
        window.AddHook(MainWndHook::FillOutputTypes, record("FillOutputTypes"));
        window.AddHook(MainWndHook::FillReportList, record("FillReportList"));
        window.AddHook(MainWndHook::UpdateCapacityDisplay, record("UpdateCapacityDisplay"));
    }
    std::vector<Click> clicks;
    std::vector<std::string> hooks;

private:
    bool* m_destroyed;
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetHost(&host);
        CResourceManager::CloseArchive();
        std::filesystem::copy(std::string(ORVALIS_SOURCE_DIR) + "/data/Languages", program / "Languages",
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(std::string(ORVALIS_SOURCE_DIR) + "/data/config.ini", program / "config.ini");
        catalogue = std::make_unique<orvalis::localization::LanguageCatalogue>(program.path() + "/");
        UseCatalogue(catalogue.get());
    }
    void TearDown() override {
        driver.PumpUntilIdle();
        for (HWND hwnd : EnumWindows()) DestroyWindow(hwnd);
        Drain();
        UseCatalogue(nullptr);
        SetHost(nullptr);
    }
    // Empties the queue, a quit request included.
    void Drain() {
        driver.PumpUntilIdle();
        MSG msg;
        while (PeekMessage(&msg)) {
        }
    }

    // Opens the main window the way start-up does, with the recording page, and lets it
    // initialise.
    CMainWnd* OpenMainWindow() {
        auto* window = new CMainWnd;
        window->UseRegisteredPageHandlers(false);
        auto recorder = std::make_unique<RecordingPage>(&pageDestroyed);
        page = recorder.get();
        window->AddPageHandler(std::move(recorder));
        HWND hwnd = window->Create(nullptr, kMainWindowTitle, kMainWindowStyle, kMainWindowExStyle, 0, 0, 800, 600);
        EXPECT_NE(hwnd, nullptr);
        window->CenterWindow();
        window->ShowWindow(true, true);
        driver.PumpUntilIdle();
        return window;
    }

    std::string Text(const std::string& control) {
        CControlUI* c = driver.Find(control);
        return c ? c->GetText() : "<missing " + control + ">";
    }
    const orvalis::localization::LanguageSection& Section(const std::string& name) {
        return catalogue->GetLanguageSection(name);
    }

    orvalis::testing::TempDir program;
    std::unique_ptr<orvalis::localization::LanguageCatalogue> catalogue;
    CHeadlessHost host;
    CHeadlessDriver driver{host};
    RecordingPage* page = nullptr;
    bool pageDestroyed = false;
};

}  // namespace shell_test
