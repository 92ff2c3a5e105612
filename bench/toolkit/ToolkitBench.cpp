// toolkit_bench [idle-seconds]
// Measures, on the Qt host (offscreen unless a platform is set):
//   1. adding 10,000 image-and-text rows to a list, and painting one frame of it;
//   2. the processor time of an idle window's message loop over a span (10 s by default),
// each beside the same work done with plain Qt widgets (QTreeWidget, an idle QWidget loop)
// in the same run, and prints the figures and their ratios.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "toolkit/ListImageTextElementUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/host/qt/QtHost.h"
#include "toolkit/host/qt/QtRenderContext.h"

namespace {

using namespace DuiLib;
constexpr int kRows = 10000;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

class ListWindow : public WindowImplBase {
public:
    std::string GetWindowClassName() const override { return "UIBenchWnd"; }
    std::string GetSkinFolder() override { return ""; }
    std::string GetSkinFile() override { return "bench.xml"; }
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled) override {
        handled = true;
        m_pm.Init(GetHWND(), this);
        m_pm.AddPreMessageFilter(this);
        CDialogBuilder builder;
        CControlUI* root = builder.CreateFromString(
            R"(<Window size="800,600"><List name="List" itemshowhtml="true" itemendellipsis="true">
                 <ListHeader><ListHeaderItem text="Name" width="300"/><ListHeaderItem text="Type" width="100"/>
                 <ListHeaderItem text="Size" width="100"/><ListHeaderItem text="Time" width="200"/></ListHeader>
               </List></Window>)",
            "bench.xml", this, &m_pm);
        m_pm.AttachDialog(root);
        m_pm.AddNotifier(this);
        return 0;
    }
};

void Pump() {
    for (int i = 0; i < 5; ++i) {
        MSG msg;
        while (PeekMessage(&msg)) {
            if (!CPaintManagerUI::TranslateMessage(&msg)) DispatchMessage(&msg);
        }
        QCoreApplication::processEvents();
    }
}

struct ListFigures {
    double addMs, paintMs;
};

ListFigures ToolkitList() {
    ListWindow w;
    w.Create(nullptr, "bench", WS_POPUP, 0, 0, 0, 800, 600);
    w.ShowWindow(true);
    Pump();
    auto* list = w.FindControl<CListUI>("List");
    auto icon = GetHost()->SmallFileIcon("movie.mkv", false);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kRows; ++i) {
        auto* row = new CListImageTextElementUI;
        row->SetFixedHeight(24);
        row->SetIcon(icon);
        row->SetText(0, "{f 0}holiday-" + std::to_string(i) + ".mkv{/f}");
        row->SetText(1, ".mkv");
        row->SetText(2, std::to_string(i * 7 % 1000) + ".00 MB");
        row->SetText(3, "2024-3-5 14:07:09");
        list->Add(row);
    }
    double addMs = Ms(t);
    // One frame: the layout the new rows need and the painting of what shows.
    QImage frame(800, 600, QImage::Format_ARGB32_Premultiplied);
    t.restart();
    {
        QPainter painter(&frame);
        QtRenderContext ctx(painter);
        w.GetPaintManager().EnsureLayout();
        w.GetPaintManager().Paint(ctx, RECT{0, 0, 800, 600});
    }
    double paintMs = Ms(t);
    DestroyWindow(w.GetHWND());
    return {addMs, paintMs};
}

ListFigures QtList() {
    QTreeWidget tree;
    tree.setColumnCount(4);
    tree.resize(800, 600);
    QIcon icon = QIcon(QPixmap::fromImage(QImage(16, 16, QImage::Format_ARGB32)));
    QElapsedTimer t;
    t.start();
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < kRows; ++i) {
        auto* item = new QTreeWidgetItem;
        item->setIcon(0, icon);
        item->setText(0, QString("holiday-%1.mkv").arg(i));
        item->setText(1, ".mkv");
        item->setText(2, QString("%1.00 MB").arg(i * 7 % 1000));
        item->setText(3, "2024-3-5 14:07:09");
        tree.addTopLevelItem(item);
    }
    double addMs = Ms(t);
    QPixmap frame(800, 600);
    t.restart();
    tree.render(&frame);
    double paintMs = Ms(t);
    return {addMs, paintMs};
}

double ToolkitIdle(double seconds) {
    ListWindow w;
    w.Create(nullptr, "idle", WS_POPUP, 0, 0, 0, 800, 600);
    w.ShowWindow(true);
    Pump();
    HWND hwnd = w.GetHWND();
    double start = CpuSeconds();
    // A window that stays open with nothing to do; a timer ends the span.
    SetTimer(hwnd, 1, static_cast<UINT>(seconds * 1000));
    MSG msg;
    while (GetMessage(&msg)) {
        if (msg.message == WM_TIMER && msg.hwnd == hwnd) break;
        if (!CPaintManagerUI::TranslateMessage(&msg)) DispatchMessage(&msg);
    }
    double used = CpuSeconds() - start;
    DestroyWindow(hwnd);
    return used;
}

double QtIdle(double seconds) {
    QWidget widget;
    widget.resize(800, 600);
    widget.show();
    QCoreApplication::processEvents();
    double start = CpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return CpuSeconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
    if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    double idleSeconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    QApplication app(argc, argv);
    CQtHost host;
    SetHost(&host);

    ListFigures toolkit = ToolkitList();
    ListFigures qt = QtList();
    std::printf("list of %d image-and-text rows: add %.1f ms (Qt tree widget %.1f ms, ratio %.2f)\n", kRows,
                toolkit.addMs, qt.addMs, toolkit.addMs / qt.addMs);
    std::printf("list of %d rows: one frame %.2f ms (Qt tree widget %.2f ms, ratio %.2f)\n", kRows, toolkit.paintMs,
                qt.paintMs, toolkit.paintMs / qt.paintMs);
    double idle = ToolkitIdle(idleSeconds);
    double qtIdle = QtIdle(idleSeconds);
    std::printf("idle window over %.0f s: %.3f s of processor time, %.3f%% (idle Qt widget %.3f s)\n", idleSeconds, idle,
                100.0 * idle / idleSeconds, qtIdle);
    SetHost(nullptr);
    return 0;
}
