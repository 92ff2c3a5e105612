// Layout files come from the skin package, which a user may replace: the builder must
// refuse anything malformed with an error and never crash, loop or leak.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/ContainerUI.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/host/headless/HeadlessHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static DuiLib::CHeadlessHost host;
    DuiLib::SetHost(&host);
    std::string_view xml(reinterpret_cast<const char*>(data), size);
    DuiLib::CPaintManagerUI pm;
    DuiLib::CDialogBuilder builder;
    std::unique_ptr<DuiLib::CControlUI> root(builder.CreateFromString(xml, "xml/fuzz.xml", nullptr, &pm));
    if (!root && builder.GetLastError().empty()) __builtin_trap();  // a refusal always says why
    if (root) {
        pm.AttachDialog(root.release());
        // Lay the tree out and paint it once, as a window would.
        pm.EnsureLayout();
        struct Null : DuiLib::IRenderContext {
            void PushClip(const DuiLib::RECT&) override {}
            void PopClip() override {}
            void FillRect(const DuiLib::RECT&, DuiLib::ARGB) override {}
            void FillRoundRect(const DuiLib::RECT&, int, DuiLib::ARGB) override {}
            void DrawRect(const DuiLib::RECT&, int, DuiLib::ARGB) override {}
            void DrawLine(DuiLib::POINT, DuiLib::POINT, int, DuiLib::ARGB) override {}
            void DrawImage(const DuiLib::IHostImage&, const DuiLib::RECT&, const DuiLib::RECT&, const DuiLib::RECT&,
                           uint8_t) override {}
            void DrawText(const DuiLib::RECT&, std::string_view, const DuiLib::TFontInfo&, DuiLib::ARGB, DuiLib::UINT) override {}
        } ctx;
        if (pm.GetRoot()) pm.GetRoot()->DoPaint(ctx, DuiLib::RECT{0, 0, 800, 600});
    }
    DuiLib::SetHost(nullptr);
    return 0;
}
