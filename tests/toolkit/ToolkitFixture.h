#pragma once
// What the toolkit tests share: a headless host with its driver, layouts written to a
// temporary skin folder, and a window that builds one of them and records what it hears.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "toolkit/SkinPackage.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/host/headless/HeadlessDriver.h"
#include "toolkit/host/headless/HeadlessHost.h"

namespace toolkit_test {

using namespace DuiLib;

class LayoutWindow : public WindowImplBase {
public:
    explicit LayoutWindow(std::string skinFile, std::string className = "UITestWnd")
        : m_skinFile(std::move(skinFile)), m_className(std::move(className)) {}

    std::string GetWindowClassName() const override { return m_className; }
    std::string GetSkinFolder() override { return ""; }
    std::string GetSkinFile() override { return m_skinFile; }
    UILIB_RESOURCETYPE GetResourceType() const override { return resourceType; }
    int GetResourceID() const override { return 101; }

    void Notify(TNotifyUI& msg) override {
        heard.push_back("window:" + msg.sType + ":" + (msg.pSender ? msg.pSender->GetName() : std::string()));
        if (onNotify) onNotify(msg);
        WindowImplBase::Notify(msg);
    }
    void Init() override {
        ++initCount;
        if (onInit) onInit(*this);
    }
    CControlUI* CreateControl(const std::string& tag) override { return factory ? factory(tag) : nullptr; }
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override {
        if (onMessage) return onMessage(uMsg, wParam, lParam, bHandled);
        bHandled = false;
        return 0;
    }
    void OnFinalMessage(HWND hwnd) override {
        WindowImplBase::OnFinalMessage(hwnd);
        finalMessages++;
    }

    // Opens the window as a pop-up of `owner` with the given size.
    HWND Open(HWND owner = nullptr, int cx = 400, int cy = 300, DWORD style = WS_POPUP) {
        return Create(owner, "", style, 0, 0, 0, cx, cy);
    }

    std::vector<std::string> heard;
    std::function<void(TNotifyUI&)> onNotify;
    std::function<void(LayoutWindow&)> onInit;
    std::function<CControlUI*(const std::string&)> factory;
    std::function<LRESULT(UINT, WPARAM, LPARAM, bool&)> onMessage;
    UILIB_RESOURCETYPE resourceType = UILIB_RESOURCETYPE::UILIB_FILE;
    int initCount = 0;
    int finalMessages = 0;

private:
    std::string m_skinFile;
    std::string m_className;
};

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetHost(&host);
        CResourceManager::CloseArchive();
        CResourceManager::SetInstancePath(skin.path());
        CResourceManager::SetResourcePath(skin.path());
        SetResourceErrorHandler([this](const std::string& detail) { resourceErrors.push_back(detail); });
    }
    void TearDown() override {
        driver.PumpUntilIdle();
        for (HWND hwnd : EnumWindows()) DestroyWindow(hwnd);
        driver.PumpUntilIdle();
        // A quit request a test left behind must not reach the next test.
        MSG msg;
        while (PeekMessage(&msg, nullptr, PM_REMOVE)) {
        }
        SetHost(nullptr);
    }

    // Writes a layout file into the skin folder.
    void Layout(const std::string& name, const std::string& xml) { skin.Write(name, xml); }

    // Writes and opens a window with the layout's body inside <Window>.
    std::unique_ptr<LayoutWindow> OpenWindow(const std::string& body, const std::string& windowAttrs = "size=\"400,300\"",
                                             HWND owner = nullptr) {
        std::string name = "xml/w" + std::to_string(counter++) + ".xml";
        Layout(name, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window " + windowAttrs + ">\n" + body + "\n</Window>\n");
        auto window = std::make_unique<LayoutWindow>(name);
        window->Open(owner);
        window->ShowWindow(true);
        driver.PumpUntilIdle();
        return window;
    }

    orvalis::testing::TempDir skin;
    CHeadlessHost host;
    CHeadlessDriver driver{host};
    std::vector<std::string> resourceErrors;
    int counter = 0;
};

}  // namespace toolkit_test
