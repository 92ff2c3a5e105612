// The Qt host draws every control of the gallery layout offscreen into a PNG for people to
// look at, and keeps the message queue's cross-thread promises while Qt runs the loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSet>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "toolkit/ComboUI.h"
#include "toolkit/ListImageTextElementUI.h"
#include "toolkit/ListLabelElementUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/TreeViewUI.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/host/qt/QtHost.h"

namespace {

using namespace DuiLib;

// The screenshot test never needs a display.
const bool g_offscreen = [] { return setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0; }();

class GalleryWindow : public WindowImplBase {
public:
    std::string GetWindowClassName() const override { return "UIGalleryWnd"; }
    std::string GetSkinFolder() override { return ""; }
    std::string GetSkinFile() override { return "xml/gallery.xml"; }
    UILIB_RESOURCETYPE GetResourceType() const override { return UILIB_RESOURCETYPE::UILIB_ZIPRESOURCE; }
    int GetResourceID() const override { return 101; }
};

class QtHostTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(g_offscreen);
        host = new CQtHost;
    }
    static void TearDownTestSuite() {
        delete host;
        host = nullptr;
    }
    void SetUp() override { SetHost(host); }
    void TearDown() override { SetHost(nullptr); }

    // Runs the toolkit's queue and Qt's events until both are quiet.
    void Pump() {
        for (int i = 0; i < 20; ++i) {
            MSG msg;
            while (PeekMessage(&msg)) {
                if (!CPaintManagerUI::TranslateMessage(&msg)) DispatchMessage(&msg);
            }
            QCoreApplication::processEvents();
        }
    }
    static CQtHost* host;
};

CQtHost* QtHostTest::host = nullptr;

void FillGallery(GalleryWindow& w) {
    auto* list = w.FindControl<CListUI>("FileList");
    struct Row {
        const char* name;
        const char* type;
        const char* size;
        const char* image;
    };
    const Row rows[] = {
        {"{f 5}{x 2}{i img/drive.png 1 0}{x 4}C:\\ System{/f}", "NTFS", "97.66 GB", ""},
        {"{f 5}{x 2}{i img/drive_usb.png 1 0}{x 4}E:\\ USB stick{/f}", "FAT32", "14.90 GB", ""},
        {"holiday-2019-beach-and-mountains-final-cut.mkv", "Video", "1.42 GB", "file='img/folder.png' dest='4,4,20,20'"},
        {"VIDEO_TS", "Folder", "4.37 GB", "file='img/folder.png' dest='4,4,20,20'"},
        {"report.html", "HTML", "12 KB", ""},
        {"intro.mp4", "Video", "250.00 MB", ""},
        {"outro.mp4", "Video", "96.12 MB", ""},
    };
    for (const Row& r : rows) {
        auto* row = new CListImageTextElementUI;
        row->SetFixedHeight(24);
        if (*r.image) {
            row->SetImage(r.image);
            row->SetText(0, std::string("{x 22}") + r.name);
        } else {
            row->SetText(0, r.name);
        }
        row->SetText(1, r.type);
        row->SetText(2, r.size);
        row->SetTextStyle(0, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        list->Add(row);
    }
    list->SelectItem(2);
    list->SelectMultiItem(3);

    auto* combo = w.FindControl<CComboUI>("ComboType");
    for (const char* t : {"MP4", "MKV", "AVI", "MOV"}) {
        auto* item = new CListLabelElementUI;
        item->SetText(t);
        item->SetFixedHeight(22);
        combo->Add(item);
    }
    combo->SelectItem(0);

    auto* tree = w.FindControl<CTreeViewUI>("FileTree");
    auto node = [](const char* text) {
        auto* n = new CTreeNodeUI;
        n->SetText(text);
        return n;
    };
    CTreeNodeUI* root = node("Holiday.2019");
    tree->Add(root);
    CTreeNodeUI* video = node("VIDEO_TS");
    root->Add(video);
    root->Add(node("AUDIO_TS"));
    video->Add(node("MENU"));
    root->GetFolderButton()->Selected(true);
    video->GetFolderButton()->Selected(true);
    video->SetCheckBoxSelected(true);
    tree->SelectItem(tree->GetItemIndex(video));
}

TEST_F(QtHostTest, GalleryRendersEveryControlToAPicture) {
    GalleryWindow w;
    ASSERT_NE(w.Create(nullptr, "Gallery", WS_POPUP, 0, 0, 0, 720, 480), nullptr);
    FillGallery(w);
    w.CenterWindow();
    w.ShowWindow(true);
    Pump();

    std::string path = std::string(ORVALIS_ARTIFACTS_DIR) + "/toolkit-gallery.png";
    ASSERT_TRUE(w.GetHostWindow()->RenderToPng(path));
    QImage picture(QString::fromStdString(path));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), static_cast<int>(720 * host->DpiScale()));
    EXPECT_EQ(picture.height(), static_cast<int>(480 * host->DpiScale()));
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 3) {
        for (int x = 0; x < picture.width(); x += 3) colours.insert(picture.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 50);
    // The round corner leaves the very corner pixel transparent.
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    DestroyWindow(w.GetHWND());
}

TEST_F(QtHostTest, MessageSentFromAWorkerIsAnsweredWhileQtWaits) {
    GalleryWindow w;
    ASSERT_NE(w.Create(nullptr, "Gallery", WS_POPUP, 0, 0, 0, 720, 480), nullptr);
    HWND hwnd = w.GetHWND();
    std::atomic<bool> ran{false};
    std::thread worker([&] {
        InvokeTask(hwnd, [&] { ran = true; });
        PostMessage(hwnd, WM_CLOSE);
    });
    // The loop waits inside Qt's dispatcher; the worker's task wakes it.
    MSG msg;
    while (IsWindow(hwnd) && GetMessage(&msg)) {
        if (!CPaintManagerUI::TranslateMessage(&msg)) DispatchMessage(&msg);
    }
    worker.join();
    EXPECT_TRUE(ran.load());
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(QtHostTest, TextIsMeasuredWithTheRealFont) {
    TFontInfo font{"DejaVu Sans", 13};
    SIZE wide = host->MeasureText("WWWWWWWW", font);
    SIZE narrow = host->MeasureText("iiiiiiii", font);
    EXPECT_GT(wide.cx, narrow.cx * 2);
    EXPECT_GT(wide.cy, 10);
    EXPECT_NE(host->SmallFileIcon("/", true), nullptr);
}

}  // namespace
