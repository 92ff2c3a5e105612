#pragma once
// A headless host and a window built from a layout in a temporary skin folder, with the
// custom tags of the main window.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "controls/CDiskListUI.h"
#include "controls/CFileTreeUI.h"
#include "toolkit/SkinPackage.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/host/headless/HeadlessDriver.h"
#include "toolkit/host/headless/HeadlessHost.h"

namespace controls_test {

using namespace DuiLib;
using orvalis::controls::CDiskListUI;
using orvalis::controls::CFileTreeUI;
using orvalis::controls::CListExUI;
using orvalis::controls::CListImageTextNodeUI;

class TestWindow : public WindowImplBase {
public:
    std::string GetWindowClassName() const override { return "UIControlsTestWnd"; }
    std::string GetSkinFolder() override { return ""; }
    std::string GetSkinFile() override { return "xml/test.xml"; }
    CControlUI* CreateControl(const std::string& tag) override {
        if (tag == "DiskList") return new CDiskListUI;
        if (tag == "FileTree") return new CFileTreeUI;
        return nullptr;
    }
    void Notify(TNotifyUI& msg) override {
        heard.push_back(msg.sType + ":" + (msg.pSender ? msg.pSender->GetName() : std::string()));
        WindowImplBase::Notify(msg);
    }
    std::vector<std::string> heard;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetHost(&host);
        CResourceManager::CloseArchive();
        CResourceManager::SetInstancePath(skin.path());
        CResourceManager::SetResourcePath(skin.path());
        skin.Write("xml/test.xml", R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="600,400">
  <HorizontalLayout>
    <DiskList name="DiskList" vscrollbar="true">
      <ListHeader><ListHeaderItem text="Name" width="300"/></ListHeader>
    </DiskList>
    <FileTree name="FileTree" visiblecheckbtn="true"/>
  </HorizontalLayout>
</Window>)");
        window.Create(nullptr, "", WS_POPUP, 0, 0, 0, 600, 400);
        window.ShowWindow(true);
        driver.PumpUntilIdle();
        disks = window.FindControl<CDiskListUI>("DiskList");
        tree = window.FindControl<CFileTreeUI>("FileTree");
        ASSERT_NE(disks, nullptr);
        ASSERT_NE(tree, nullptr);
    }
    void TearDown() override {
        if (window.GetHWND()) DestroyWindow(window.GetHWND());
        driver.PumpUntilIdle();
        MSG msg;
        while (PeekMessage(&msg)) {
        }
        SetHost(nullptr);
    }

    // A disk-list row with a name, fixed at the height the skin draws.
    CListImageTextNodeUI* Row(const std::string& name) {
        auto* row = new CListImageTextNodeUI;
        row->SetName(name);
        row->SetText(0, name);
        row->SetFixedHeight(30);
        return row;
    }
    // The names of the rows in list order, with a "-" before hidden ones.
    std::string Rows() {
        std::string out;
        for (int i = 0; i < disks->GetCount(); ++i) {
            CControlUI* row = disks->GetItemAt(i);
            if (!out.empty()) out += " ";
            out += (row->IsVisible() ? "" : "-") + row->GetName();
        }
        return out;
    }

    orvalis::testing::TempDir skin;
    CHeadlessHost host;
    CHeadlessDriver driver{host};
    TestWindow window;
    CDiskListUI* disks = nullptr;
    CFileTreeUI* tree = nullptr;
};

}  // namespace controls_test
