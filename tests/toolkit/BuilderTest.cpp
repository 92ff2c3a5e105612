// Layouts: Font, Default, Style, Include, the custom-control factory, errors that name the
// file and the element, and the skin package embedded in this test program.
#include <gmock/gmock.h>

#include "ToolkitFixture.h"
#include "toolkit/ButtonUI.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/LabelUI.h"
#include "toolkit/ListUI.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/ScrollBarUI.h"
#include "toolkit/VerticalLayoutUI.h"

namespace toolkit_test {
namespace {

using ::testing::HasSubstr;

TEST_F(ToolkitTest, DefaultsStylesFontsAndIncludesApply) {
    Layout("xml/page.xml", R"(<VerticalLayout name="Page"><Button name="BtnInPage" text="In page"/></VerticalLayout>)");
    auto w = OpenWindow(R"(
      <Font id="3" name="DejaVu Sans" size="17" bold="true"/>
      <Default name="Button" value="height=&quot;31&quot; textcolor=&quot;#FF112233&quot;"/>
      <Style name="big" value="font=&quot;3&quot; width=&quot;120&quot;"/>
      <VerticalLayout>
        <Button name="BtnPlain"/>
        <Button name="BtnOwn" height="40"/>
        <Label name="LblStyled" style="big"/>
        <Include source="xml\page.xml"/>
      </VerticalLayout>)");
    auto* plain = w->FindControl<CButtonUI>("BtnPlain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetFixedHeight(), 31);
    EXPECT_EQ(plain->GetTextColor(), 0xFF112233u);
    EXPECT_EQ(w->FindControl("BtnOwn")->GetFixedHeight(), 40);  // the element's own value wins
    auto* styled = w->FindControl<CLabelUI>("LblStyled");
    EXPECT_EQ(styled->GetFont(), 3);
    EXPECT_EQ(styled->GetFixedWidth(), 120);
    EXPECT_EQ(w->GetPaintManager().GetFont(3).size, 17);
    EXPECT_TRUE(w->GetPaintManager().GetFont(3).bold);
    auto* inPage = w->FindControl<CButtonUI>("BtnInPage");
    ASSERT_NE(inPage, nullptr);
    EXPECT_EQ(inPage->GetFixedHeight(), 31);  // defaults reach included files
    EXPECT_EQ(inPage->GetParent()->GetName(), "Page");
}

TEST_F(ToolkitTest, ScrollBarsAContainerMakesTakeTheWindowsDefaults) {
    auto w = OpenWindow(R"(
      <Default name="VScrollBar" value="width=&quot;17&quot;"/>
      <Default name="HScrollBar" value="height=&quot;9&quot;"/>
      <VerticalLayout name="Box" vscrollbar="true" hscrollbar="true"/>)");
    auto* box = w->FindControl<CContainerUI>("Box");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->GetVerticalScrollBar(), nullptr);
    EXPECT_EQ(box->GetVerticalScrollBar()->GetFixedWidth(), 17);
    ASSERT_NE(box->GetHorizontalScrollBar(), nullptr);
    EXPECT_EQ(box->GetHorizontalScrollBar()->GetFixedHeight(), 9);
    // A container made by code gets them when it joins the window.
    auto* made = new CVerticalLayoutUI;
    made->EnableScrollBar(true, false);
    box->Add(made);
    EXPECT_EQ(made->GetVerticalScrollBar()->GetFixedWidth(), 17);
}

TEST_F(ToolkitTest, WindowAttributesReachTheWindow) {
    auto w = OpenWindow(R"(<Control/>)", R"(size="1000,650" mininfo="1000,650" caption="0,0,0,90" sizebox="4,4,4,4" roundcorner="4,4")");
    CPaintManagerUI& pm = w->GetPaintManager();
    EXPECT_EQ(w->GetWindowRect().Width(), 1000);
    EXPECT_EQ(w->GetWindowRect().Height(), 650);
    EXPECT_EQ(pm.GetMinInfo(), (SIZE{1000, 650}));
    EXPECT_EQ(pm.GetCaptionRect(), (RECT{0, 0, 0, 90}));
    EXPECT_EQ(pm.GetRoundCorner(), (SIZE{4, 4}));
    EXPECT_EQ(host.WindowOf(w->GetHWND())->roundCorners(), (SIZE{4, 4}));
}

class CustomTile : public CLabelUI {
public:
    std::string GetClass() const override { return "CustomTileUI"; }
};

TEST_F(ToolkitTest, TheWindowsFactoryCreatesItsOwnTagsAndTheirAttributesInherit) {
    Layout("xml/custom.xml", R"(<Window size="200,100"><VerticalLayout><DiskList name="Tile" text="hi" height="22"/></VerticalLayout></Window>)");
    LayoutWindow w("xml/custom.xml");
    w.factory = [](const std::string& tag) -> CControlUI* { return tag == "DiskList" ? new CustomTile : nullptr; };
    w.Open();
    auto* tile = w.FindControl<CustomTile>("Tile");
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->GetText(), "hi");
    EXPECT_EQ(tile->GetFixedHeight(), 22);
}

TEST_F(ToolkitTest, BuilderErrorsNameTheFileTheLineAndTheElement) {
    Layout("xml/loop.xml", R"(<VerticalLayout><Include source="xml/loop.xml"/></VerticalLayout>)");
    struct Case {
        const char* layout;
        const char* expected;
    };
    const Case cases[] = {
        {"<Window>\n<VerticalLayout>\n<Buttn name=\"x\"/></VerticalLayout></Window>", "bad.xml:3: <Buttn name=\"x\">: unknown control tag"},
        {"<Window><Button name=\"BtnAdd\" height=\"abc\"/></Window>", "<Button name=\"BtnAdd\">: attribute 'height': expected an integer, got 'abc'"},
        {"<Window><Button bkcolor=\"red\"/></Window>", "attribute 'bkcolor': expected a colour"},
        {"<Window><Label hieght=\"4\"/></Window>", "unknown attribute 'hieght' for LabelUI"},
        {"<Window><Label bkimage=\"file='a.png' dest='1,2'\"/></Window>", "image dest expects left,top,right,bottom"},
        {"<Window size=\"big\"><Control/></Window>", "<Window>: attribute 'size': expected width,height"},
        {"<Window><Include source=\"xml/none.xml\"/></Window>", "the included layout 'xml/none.xml' is not in the skin package"},
        {"<Window><Include source=\"xml/loop.xml\"/></Window>", "includes nested too deeply"},
        {"<Window><Label style=\"nosuch\"/></Window>", "no style named 'nosuch'"},
        {"<Window><Label><Button/></Label></Window>", "its parent <LabelUI> cannot hold controls"},
        {"<Window><Control/><Control/></Window>", "a window has one root control"},
        {"<Window><VerticalLayout>", "bad.xml: not well-formed XML"},
        {"<Window>\n<Label text=\"a\"\n</Window>", "bad.xml:3: not well-formed XML"},
        {"<Window><Font size=\"12\"/></Window>", "<Font>: needs the attribute 'name'"},
        {"<Window><Label text=\"\xC3\"/></Window>", "bad.xml: not UTF-8 text (byte 21)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        CPaintManagerUI pm;
        CDialogBuilder builder;
        EXPECT_EQ(builder.CreateFromString(c.layout, "xml/bad.xml", nullptr, &pm), nullptr);
        EXPECT_THAT(builder.GetLastError(), HasSubstr(c.expected));
        EXPECT_THAT(builder.GetLastError(), HasSubstr("xml/"));
    }
}

TEST_F(ToolkitTest, EveryControlClassRegistersItsTag) {
    for (const char* tag : {"Control", "Container", "VerticalLayout", "HorizontalLayout", "TabLayout", "Label", "Text",
                            "Button", "FadeButton", "Option", "CheckBox", "Edit", "Combo", "Progress", "ScrollBar",
                            "List", "ListHeader", "ListHeaderItem", "ListLabelElement", "ListTextElement",
                            "ListImageTextElement", "ListContainerElement", "TreeView", "TreeNode"}) {
        SCOPED_TRACE(tag);
        std::unique_ptr<CControlUI> control(CreateControlByTag(tag));
        ASSERT_NE(control, nullptr);
        EXPECT_NE(control->GetInterface(tag), nullptr);
        EXPECT_NE(control->GetInterface(control->GetClass()), nullptr);
    }
}

TEST_F(ToolkitTest, EmbeddedSkinPackageServesLayoutsAndImages) {
    LayoutWindow w("xml\\gallery.xml");
    w.resourceType = UILIB_RESOURCETYPE::UILIB_ZIPRESOURCE;
    ASSERT_NE(w.Open(), nullptr);
    EXPECT_EQ(w.initCount, 1);
    EXPECT_EQ(w.GetWindowRect().Width(), 720);
    EXPECT_NE(w.FindControl("FileList"), nullptr);
    EXPECT_NE(w.FindControl("BtnAction"), nullptr);  // from the included page
    EXPECT_NE(w.GetPaintManager().GetImage("img/drive.png"), nullptr);
    EXPECT_EQ(w.GetPaintManager().GetImage("img/drive.png")->Width(), 16);
    // An image outside the package is read from the file system by its own name.
    std::string outside = skin.Write("loose/icon.png", *CResourceManager::LoadFile("img/logo.png"));
    EXPECT_NE(w.GetPaintManager().GetImage(outside), nullptr);
    EXPECT_TRUE(resourceErrors.empty());
}

TEST_F(ToolkitTest, MissingLayoutInThePackageIsAResourceErrorAndAnAbsentPackageGivesAnEmptyWindow) {
    LayoutWindow missing("xml/skin.xml");
    missing.resourceType = UILIB_RESOURCETYPE::UILIB_ZIPRESOURCE;
    EXPECT_EQ(missing.Open(), nullptr);
    ASSERT_EQ(resourceErrors.size(), 1u);
    EXPECT_THAT(resourceErrors[0], HasSubstr("xml/skin.xml"));

    struct NoPackage : LayoutWindow {
        using LayoutWindow::LayoutWindow;
        int GetResourceID() const override { return 999; }
    };
    CResourceManager::CloseArchive();
    NoPackage empty("xml/skin.xml");
    empty.resourceType = UILIB_RESOURCETYPE::UILIB_ZIPRESOURCE;
    EXPECT_NE(empty.Open(), nullptr);
    EXPECT_EQ(empty.initCount, 0);
    EXPECT_EQ(empty.GetPaintManager().GetRoot(), nullptr);
    EXPECT_EQ(resourceErrors.size(), 1u);
}

TEST_F(ToolkitTest, DefaultResourceErrorEndsTheProgramWithOne) {
    EXPECT_EXIT(
        {
            SetResourceErrorHandler(nullptr);
            LayoutWindow w("xml/skin.xml");
            w.resourceType = UILIB_RESOURCETYPE::UILIB_ZIPRESOURCE;
            w.Open();
        },
        ::testing::ExitedWithCode(1), "xml/skin.xml: the layout is not in the skin package");
}

}  // namespace
}  // namespace toolkit_test
