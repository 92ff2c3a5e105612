#pragma once
// The pages of the main window bring their own handlers. Each page keeps its handlers in an
// object of its own folder, registered by name with ORVALIS_REGISTER_PAGE_HANDLER; the main
// window makes one of each when it initialises and lets it bind itself:
//
//   class CReportPage : public orvalis::shell::IPageHandler {
//       void Bind(orvalis::shell::CMainWnd& window) override {
//           window.BindControl("BtnEmptyReport", "click", [this](TNotifyUI& m) { return OnEmpty(m); });
//           window.AddHook(orvalis::shell::MainWndHook::FillReportList, [this](int) { FillReportList(); });
//       }
//   };
//   ORVALIS_REGISTER_PAGE_HANDLER(CReportPage);
//
// The program links the page libraries whole, so that their registrations are kept.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvalis::shell {

class CMainWnd;

class IPageHandler {
public:
    virtual ~IPageHandler() = default;
    // Finds the page's controls, binds the page's handlers to them by control name and adds
    // the page's part in the window's own moments (MainWndHook). Called once, from the main
    // window's initialisation, after the window's controls are found.
    virtual void Bind(CMainWnd& window) = 0;
};

using PageHandlerFactory = std::function<std::unique_ptr<IPageHandler>()>;

void RegisterPageHandler(const std::string& name, PageHandlerFactory factory);
// One new handler of every registered page, in the order of their names.
std::vector<std::unique_ptr<IPageHandler>> CreateRegisteredPageHandlers();

struct PageHandlerRegistrar {
    PageHandlerRegistrar(const char* name, PageHandlerFactory factory) { RegisterPageHandler(name, std::move(factory)); }
};

}  // namespace orvalis::shell

#define ORVALIS_REGISTER_PAGE_HANDLER(Class)                                              \
    static const ::orvalis::shell::PageHandlerRegistrar g_register_page_##Class(#Class, [] { \
        return std::unique_ptr<::orvalis::shell::IPageHandler>(new Class);                \
    })
