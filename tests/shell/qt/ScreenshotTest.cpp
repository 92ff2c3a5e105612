// Pictures of the shell drawn by the Qt host offscreen, for people to look at: the main
// window on each page, one message box of each kind, and the help menu with its language
// sub-menu open. They land in the build's artifacts folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "TestSupport.h"
#include "controls/CListImageTextNodeUI.h"
#include "localization/LanguageCatalogue.h"
#include "shell/CMainWnd.h"
#include "shell/CMenuWindow.h"
#include "shell/CMessageBox.h"
#include "shell/ShellLanguage.h"
#include "toolkit/ListImageTextElementUI.h"
#include "toolkit/SkinPackage.h"
#include "toolkit/TreeNodeUI.h"
#include "toolkit/host/qt/QtHost.h"

namespace {

using namespace DuiLib;
using namespace orvalis::shell;

// Offscreen, on one full-HD screen, so that menus open where they would on a desktop.
const bool g_offscreen = [] {
    std::string config = std::filesystem::temp_directory_path() / ("orvalis-screens-" + std::to_string(getpid()) + ".json");
    std::ofstream(config) << R"({"screens":[{"name":"screen","x":0,"y":0,"width":1920,"height":1080,)"
                             R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})";
    return setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1) == 0;
}();

std::string Artifact(const std::string& name) { return std::string(ORVALIS_ARTIFACTS_DIR) + "/" + name; }

class ScreenshotTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(g_offscreen);
        host = new CQtHost;
    }
    static void TearDownTestSuite() {
        delete host;
        host = nullptr;
    }
    void SetUp() override {
        SetHost(host);
        std::filesystem::copy(std::string(ORVALIS_SOURCE_DIR) + "/data/Languages", program / "Languages",
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(std::string(ORVALIS_SOURCE_DIR) + "/data/config.ini", program / "config.ini");
        catalogue = std::make_unique<orvalis::localization::LanguageCatalogue>(program.path() + "/");
        UseCatalogue(catalogue.get());
        main = new CMainWnd;
        main->UseRegisteredPageHandlers(false);
        ASSERT_NE(main->Create(nullptr, kMainWindowTitle, kMainWindowStyle, kMainWindowExStyle, 0, 0, 800, 600), nullptr);
        main->CenterWindow();
        main->ShowWindow(true, true);
        Pump();
    }
    void TearDown() override {
        for (HWND hwnd : EnumWindows()) DestroyWindow(hwnd);
        Pump();
        MSG msg;
        while (PeekMessage(&msg)) {
        }
        UseCatalogue(nullptr);
        SetHost(nullptr);
    }

    static void Pump() {
        for (int i = 0; i < 20; ++i) {
            MSG msg;
            while (PeekMessage(&msg)) {
                if (msg.message == WM_QUIT) continue;
                if (!CPaintManagerUI::TranslateMessage(&msg)) DispatchMessage(&msg);
            }
            QCoreApplication::processEvents();
        }
    }
    // Input at the centre of a control, through the host's input path.
    static void Mouse(HWND window, CControlUI* control, std::initializer_list<UINT> messages) {
        CWindowWnd* w = CWindowWnd::FromHandle(window);
        ASSERT_NE(w, nullptr);
        ASSERT_NE(control, nullptr);
        const RECT& rc = control->GetPos();
        LPARAM at = MakeLParam((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        for (UINT m : messages) w->OnHostMessage(m, m == WM_LBUTTONDOWN ? MK_LBUTTON : 0, at);
        Pump();
    }
    static QImage Grab(HWND hwnd) {
        // Each test runs in a process of its own, possibly beside the others.
        std::string path = Artifact(".grab-" + std::to_string(getpid()) + ".png");
        CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
        if (!w || !w->GetHostWindow() || !w->GetHostWindow()->RenderToPng(path)) return {};
        QImage image(QString::fromStdString(path));
        std::filesystem::remove(path);
        return image;
    }
    // Several windows in one picture, placed as they are on the screen.
    static bool Compose(const std::vector<HWND>& windows, const std::string& file) {
        RECT all = CWindowWnd::FromHandle(windows[0])->GetWindowRect();
        for (HWND hwnd : windows) all = UnionRect(all, CWindowWnd::FromHandle(hwnd)->GetWindowRect());
        double scale = host->DpiScale();
        QImage canvas(int(all.Width() * scale), int(all.Height() * scale), QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        for (HWND hwnd : windows) {
            RECT rc = CWindowWnd::FromHandle(hwnd)->GetWindowRect();
            QImage picture = Grab(hwnd);
            if (picture.isNull()) return false;
            painter.drawImage(QPointF((rc.left - all.left) * scale, (rc.top - all.top) * scale), picture);
        }
        painter.end();
        return canvas.save(QString::fromStdString(Artifact(file)), "PNG");
    }
    static void ExpectAPicture(const std::string& file, int width, int height) {
        QImage picture(QString::fromStdString(Artifact(file)));
        ASSERT_FALSE(picture.isNull()) << file;
        EXPECT_EQ(picture.width(), int(width * host->DpiScale())) << file;
        EXPECT_EQ(picture.height(), int(height * host->DpiScale())) << file;
        // Something was drawn: more than a handful of colours.
        std::set<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 4)
            for (int x = 0; x < picture.width(); x += 4) colours.insert(picture.pixel(x, y));
        EXPECT_GT(colours.size(), 20u) << file;
    }

    // A few rows, so that the lists show how they look when filled.
    void FillSampleRows() {
        orvalis::controls::CDiskListUI* disks = main->Ctl().DiskList;
        auto row = [](const std::string& name, const std::string& image, const std::string& fs, const std::string& used,
                      const std::string& free, const std::string& size) {
            auto* r = new orvalis::controls::CListImageTextNodeUI;
            r->SetFixedHeight(30);
            r->SetText(0, "{x 4}{i " + image + " 1 0}{x 6}" + name);
            r->SetText(1, fs);
            r->SetText(2, used);
            r->SetText(3, free);
            r->SetText(4, size);
            return r;
        };
        auto* disk = disks->AddNode(nullptr, row("Fixed Disk 1", "physical_drive.png", "", "", "", "476.94 GB"));
        disks->AddNode(disk, row("1: System", "drive.png", "ext4", "61.20 GB", "38.80 GB", "100.00 GB"));
        disks->AddNode(disk, row("2: Home", "drive.png", "ext4", "210.41 GB", "166.53 GB", "376.94 GB"));
        auto* usb = disks->AddNode(nullptr, row("Removable Disk 2", "removable_drive.png", "", "", "", "14.90 GB"));
        disks->AddNode(usb, row("3: USB STICK", "drive_usb.png", "FAT32", "2.10 GB", "12.80 GB", "14.90 GB"));

        auto* files = main->Ctl().FileList;
        const char* names[][5] = {{"holiday-2019.mkv", "/home/me/Videos/", "1.42 GB", ".mkv", "2024-6-2 18:04:11"},
                                  {"birthday.mp4", "/home/me/Videos/", "250.00 MB", ".mp4", "2024-7-19 09:30:52"},
                                  {"Family", "/home/me/Pictures/", "3.02 GB", "Folder", "2024-8-1 12:00:00"}};
        for (auto& n : names) {
            auto* r = new CListImageTextElementUI;
            r->SetFixedHeight(30);
            for (int i = 0; i < 5; ++i) r->SetText(i, n[i]);
            files->Add(r);
        }

        auto* tree = main->Ctl().FileTree;
        auto node = [](const char* text) {
            auto* n = new CTreeNodeUI;
            n->SetText(text);
            n->SetFixedHeight(28);
            return n;
        };
        CTreeNodeUI* root = node("HOLIDAY_DVD");
        CTreeNodeUI* video = node("VIDEO_TS");
        root->Add(video);
        root->Add(node("AUDIO_TS"));
        tree->Add(root);
        root->GetFolderButton()->Selected(true);
        auto* list = main->Ctl().ExtractFileList;
        const char* entries[][4] = {{"VTS_01_1.VOB", "1.00 GB", "VOB", "2019-8-4 10:12:40"},
                                    {"VTS_01_2.VOB", "812.55 MB", "VOB", "2019-8-4 10:12:40"},
                                    {"VIDEO_TS.IFO", "18 KB", "IFO", "2019-8-4 10:12:40"}};
        for (auto& e : entries) {
            auto* r = new CListImageTextElementUI;
            r->SetFixedHeight(30);
            for (int i = 0; i < 4; ++i) r->SetText(i, e[i]);
            list->Add(r);
        }
        auto* report = new CListImageTextElementUI;
        report->SetFixedHeight(30);
        report->SetText(0, "2024-08-01 12_05_09.html");
        report->SetText(1, "2024-8-1 12:05:09");
        main->Ctl().ReportList->Add(report);
        Pump();
    }

    orvalis::testing::TempDir program;
    std::unique_ptr<orvalis::localization::LanguageCatalogue> catalogue;
    CMainWnd* main = nullptr;
    static CQtHost* host;
};

CQtHost* ScreenshotTest::host = nullptr;

TEST_F(ScreenshotTest, TheMainWindowOnEachPage) {
    FillSampleRows();
    const std::pair<const char*, const char*> pages[] = {
        {nullptr, "shell-main-dvd-burner.png"},     // as it opens
        {"OptCreator", "shell-main-cd-burner.png"},
        {"OptConvert", "shell-main-dvd-to-video.png"},
        {"OptByteBackup", "shell-main-byte-copy.png"},
        {"OptReport", "shell-main-reports.png"},
    };
    for (auto [option, file] : pages) {
        if (option) Mouse(main->GetHWND(), main->FindControl(option), {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
        // Away from the controls, so that no hover look is in the picture.
        main->OnHostMessage(WM_MOUSEMOVE, 0, MakeLParam(990, 640));
        Pump();
        ASSERT_TRUE(Compose({main->GetHWND()}, file));
        ExpectAPicture(file, 1000, 650);
    }
}

TEST_F(ScreenshotTest, OneMessageBoxOfEachKind) {
    const std::tuple<int, const char*, const char*> boxes[] = {
        {kBoxError, "shell-box-error.png", "The disc image could not be prepared, so nothing was burned."},
        {kBoxConfirm, "shell-box-confirm.png", "The disc in the recorder already holds data. Erase it and burn the new project onto it?"},
        {kBoxInformation, "shell-box-information.png", "Orvalis is running."},
        {kBoxWarning, "shell-box-warning.png", "One of the chosen files or folders is already in the list. The selection was not added."},
        {kBoxQuestion, "shell-box-question.png", "Stop the running job? A disc that is being written may become unusable."},
    };
    for (auto [kind, file, text] : boxes) {
        std::string path = file;
        // Drawn and closed from inside the box's own modal loop.
        auto shoot = [this, path] {
            HWND box = nullptr;
            for (HWND hwnd : EnumWindows()) {
                CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
                if (w && w->GetWindowClassName() == "UIMessageBox") box = hwnd;
            }
            ASSERT_NE(box, nullptr);
            CPaintManagerUI* pm = CPaintManagerUI::FromWindow(box);
            if (pm && !pm->IsInitialised()) SendMessage(box, WM_DUI_FIRSTLAYOUT);
            QCoreApplication::processEvents();
            EXPECT_TRUE(Compose({main->GetHWND(), box}, path));
            PostMessage(box, WM_CLOSE, kBoxOk);
        };
        PostTask(main->GetHWND(), shoot);
        EXPECT_EQ(ShowMessageBox(kind, main->GetHWND(), text, 400, 170), kBoxOk);
        ExpectAPicture(path, 1000, 650);
    }
}

TEST_F(ScreenshotTest, TheHelpMenuWithItsLanguageSubMenu) {
    Mouse(main->GetHWND(), main->Ctl().BtnHelp, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
    std::vector<HWND> menus;
    auto findMenus = [&] {
        menus.clear();
        for (HWND hwnd : EnumWindows()) {
            CWindowWnd* w = CWindowWnd::FromHandle(hwnd);
            if (w && w->GetWindowClassName() == "UIMenuWnd") menus.push_back(hwnd);
        }
    };
    findMenus();
    ASSERT_EQ(menus.size(), 1u);
    CControlUI* language = CPaintManagerUI::FromWindow(menus[0])->FindControl("ItemLanguage");
    Mouse(menus[0], language, {WM_MOUSEMOVE});
    findMenus();
    ASSERT_EQ(menus.size(), 2u);
    CControlUI* deutsch = CPaintManagerUI::FromWindow(menus[1])->FindControl("Deutsch");
    Mouse(menus[1], deutsch, {WM_MOUSEMOVE});
    findMenus();
    ASSERT_EQ(menus.size(), 2u);
    std::vector<HWND> windows{main->GetHWND()};
    windows.insert(windows.end(), menus.begin(), menus.end());
    ASSERT_TRUE(Compose(windows, "shell-help-menu.png"));
    QImage picture(QString::fromStdString(Artifact("shell-help-menu.png")));
    EXPECT_FALSE(picture.isNull());
}

}  // namespace
