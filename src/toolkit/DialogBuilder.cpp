#include "toolkit/DialogBuilder.h"

#include <tinyxml.h>

#include <memory>
#include <optional>
#include <vector>

#include "toolkit/Attributes.h"
#include "toolkit/ContainerUI.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/SkinPackage.h"

namespace DuiLib {

namespace {

constexpr int kMaxIncludeDepth = 8;
constexpr int kMaxNesting = 200;
constexpr int kMaxIncludeCount = 64;

// The nesting depth of the elements, counted before parsing so that a hostile file cannot
// exhaust the parser's stack.
int ScanNesting(std::string_view xml) {
    int depth = 0, deepest = 0;
    for (size_t i = 0; i + 1 < xml.size(); ++i) {
        if (xml[i] != '<') continue;
        char next = xml[i + 1];
        if (next == '/') {
            --depth;
        } else if (next == '!' || next == '?') {
            continue;
        } else {
            size_t close = xml.find('>', i);
            if (close == std::string_view::npos) break;
            if (xml[close - 1] != '/') deepest = std::max(deepest, ++depth);
            i = close;
        }
    }
    return deepest;
}

// Where the text is not well-formed UTF-8 (or holds a NUL), the offset of the first bad
// byte. The XML parser trusts lead bytes and would read past the end of a cut sequence.
std::optional<size_t> FindBadUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c == 0 ? 0 : c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) return i;
        for (size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return i;
        }
        i += len;
    }
    return std::nullopt;
}

struct BuildError {
    std::string message;
};

class Builder {
public:
    Builder(IDialogBuilderCallback* callback, CPaintManagerUI* pm) : callback_(callback), pm_(pm) {}

    // Parses one file; returns the root control (if the file has one) or throws BuildError.
    CControlUI* BuildFile(std::string_view xml, const std::string& file, CControlUI* parent, int includeDepth) {
        if (auto bad = FindBadUtf8(xml)) {
            throw BuildError{file + ": not UTF-8 text (byte " + std::to_string(*bad) + ")"};
        }
        if (ScanNesting(xml) > kMaxNesting) throw BuildError{file + ": elements nested too deeply"};
        std::string text(xml);
        TiXmlDocument doc;
        doc.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
        if (doc.Error()) {
            std::string line = doc.ErrorRow() > 0 ? ":" + std::to_string(doc.ErrorRow()) : std::string();
            throw BuildError{file + line + ": not well-formed XML: " + doc.ErrorDesc()};
        }
        const TiXmlElement* root = doc.RootElement();
        if (!root) throw BuildError{file + ": the layout has no root element"};
        std::string saveFile = file_;
        file_ = file;
        CControlUI* result = nullptr;
        if (std::string(root->Value()) == "Window") {
            if (includeDepth == 0) ApplyWindowAttributes(root);
            result = BuildChildren(root, parent, includeDepth, true);
        } else {
            result = BuildElement(root, parent, includeDepth);
        }
        file_ = saveFile;
        return result;
    }

private:
    std::string Where(const TiXmlElement* e) const {
        std::string text = file_ + ":" + std::to_string(e->Row()) + ": <" + e->Value();
        if (const char* name = e->Attribute("name")) text += std::string(" name=\"") + name + "\"";
        return text + ">";
    }

    [[noreturn]] void Fail(const TiXmlElement* e, const std::string& message) const {
        throw BuildError{Where(e) + ": " + message};
    }

    std::string Required(const TiXmlElement* e, const char* attr) const {
        const char* v = e->Attribute(attr);
        if (!v) Fail(e, std::string("needs the attribute '") + attr + "'");
        return v;
    }

    void ApplyWindowAttributes(const TiXmlElement* e) {
        if (!pm_) return;
        for (const TiXmlAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
            std::string name = a->Name();
            std::string_view value = a->Value();
            auto size = [&] {
                auto sz = ParseSize(value);
                if (!sz) Fail(e, "attribute '" + name + "': expected width,height, got " + QuoteForMessage(value));
                return *sz;
            };
            auto rect = [&] {
                auto rc = ParseRect(value);
                if (!rc) Fail(e, "attribute '" + name + "': expected left,top,right,bottom, got " + QuoteForMessage(value));
                return *rc;
            };
            auto color = [&] {
                auto c = ParseColor(value);
                if (!c) Fail(e, "attribute '" + name + "': expected a colour, got " + QuoteForMessage(value));
                return *c;
            };
            if (name == "size") {
                SIZE sz = size();
                pm_->SetInitSize(sz.cx, sz.cy);
            } else if (name == "mininfo") {
                SIZE sz = size();
                pm_->SetMinInfo(sz.cx, sz.cy);
            } else if (name == "maxinfo") {
                SIZE sz = size();
                pm_->SetMaxInfo(sz.cx, sz.cy);
            } else if (name == "caption") {
                pm_->SetCaptionRect(rect());
            } else if (name == "sizebox") {
                pm_->SetSizeBox(rect());
            } else if (name == "roundcorner") {
                SIZE sz = size();
                pm_->SetRoundCorner(sz.cx, sz.cy);
            } else if (name == "defaultfontcolor") {
                pm_->SetDefaultFontColor(color());
            } else if (name == "disabledfontcolor") {
                pm_->SetDefaultDisabledColor(color());
            } else {
                Fail(e, "unknown window attribute " + QuoteForMessage(name));
            }
        }
    }

    void BuildFont(const TiXmlElement* e) {
        TFontInfo font;
        std::optional<int> id;
        bool isDefault = false;
        for (const TiXmlAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
            std::string name = a->Name();
            std::string_view value = a->Value();
            auto flag = [&] {
                auto b = ParseBool(value);
                if (!b) Fail(e, "attribute '" + name + "': expected true or false, got " + QuoteForMessage(value));
                return *b;
            };
            if (name == "id") {
                id = ParseInt(value);
                if (!id || *id < 0) Fail(e, "attribute 'id': expected a number, got " + QuoteForMessage(value));
            } else if (name == "name") {
                font.name = value;
            } else if (name == "size") {
                auto n = ParseInt(value);
                if (!n || *n <= 0 || *n > 400) Fail(e, "attribute 'size': expected a pixel size, got " + QuoteForMessage(value));
                font.size = *n;
            } else if (name == "bold") {
                font.bold = flag();
            } else if (name == "italic") {
                font.italic = flag();
            } else if (name == "underline") {
                font.underline = flag();
            } else if (name == "default") {
                isDefault = flag();
            } else if (name == "shared") {
                (void)flag();
            } else {
                Fail(e, "unknown font attribute " + QuoteForMessage(name));
            }
        }
        if (font.name.empty()) Fail(e, "needs the attribute 'name'");
        if (pm_) pm_->AddFont(id ? *id : nextFontId_, font, isDefault);
        nextFontId_ = (id ? *id : nextFontId_) + 1;
    }

    void BuildNamedList(const TiXmlElement* e, bool isStyle) {
        std::string name = Required(e, "name");
        std::string value = Required(e, "value");
        if (!ParseAttributeList(value)) Fail(e, "attribute 'value' is not a list of name=\"value\" pairs");
        if (!pm_) return;
        if (isStyle) pm_->AddStyle(name, value);
        else pm_->AddDefaultAttributeList(name, value);
    }

    // Builds the control children of `e` into `parent`; returns the first control built.
    CControlUI* BuildChildren(const TiXmlElement* e, CControlUI* parent, int includeDepth, bool isWindow) {
        CControlUI* first = nullptr;
        for (const TiXmlElement* child = e->FirstChildElement(); child; child = child->NextSiblingElement()) {
            std::string tag = child->Value();
            if (tag == "Font") {
                BuildFont(child);
            } else if (tag == "Default") {
                BuildNamedList(child, false);
            } else if (tag == "Style") {
                BuildNamedList(child, true);
            } else if (tag == "Image") {
                std::string name = Required(child, "name");
                if (pm_) pm_->GetImage(name);
            } else if (tag == "Include") {
                CControlUI* built = BuildInclude(child, parent, includeDepth);
                if (!first) first = built;
            } else {
                if (isWindow && first && !parent) Fail(child, "a window has one root control; this is a second one");
                CControlUI* built = BuildElement(child, parent, includeDepth);
                if (!first) first = built;
            }
        }
        return first;
    }

    CControlUI* BuildInclude(const TiXmlElement* e, CControlUI* parent, int includeDepth) {
        std::string source = Required(e, "source");
        int count = 1;
        if (const char* c = e->Attribute("count")) {
            auto n = ParseInt(c);
            if (!n || *n < 1 || *n > kMaxIncludeCount) Fail(e, "attribute 'count': expected 1 to 64, got " + QuoteForMessage(c));
            count = *n;
        }
        if (includeDepth + 1 > kMaxIncludeDepth) Fail(e, "includes nested too deeply (a file including itself?)");
        auto xml = CResourceManager::LoadLayout(source);
        if (!xml) Fail(e, "the included layout " + QuoteForMessage(source) + " is not in the skin package");
        CControlUI* first = nullptr;
        for (int i = 0; i < count; ++i) {
            CControlUI* built = BuildFile(*xml, CResourceManager::NormalizeName(source), parent, includeDepth + 1);
            if (!first) first = built;
        }
        return first;
    }

    CControlUI* BuildElement(const TiXmlElement* e, CControlUI* parent, int includeDepth) {
        std::string tag = e->Value();
        CControlUI* control = callback_ ? callback_->CreateControl(tag) : nullptr;
        if (!control) control = CreateControlByTag(tag);
        if (!control) Fail(e, "unknown control tag (no control class or window factory takes it)");
        std::unique_ptr<CControlUI> owned(control);
        CContainerUI* container = parent ? dynamic_cast<CContainerUI*>(parent) : nullptr;
        if (parent && !container) Fail(e, "its parent <" + parent->GetClass() + "> cannot hold controls");
        control->SetManager(pm_, nullptr, false);
        if (pm_) {
            const std::string* defaults = pm_->GetDefaultAttributeList(tag);
            if (!defaults) defaults = pm_->GetDefaultAttributeList(control->GetClass());
            if (defaults) {
                AttrResult r = control->ApplyAttributeList(*defaults);
                if (!r.ok()) Fail(e, "the Default for this tag: " + r.message);
            }
        }
        for (const TiXmlAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
            AttrResult r = control->SetAttribute(a->Name(), a->Value());
            if (r.outcome == AttrOutcome::Unknown)
                Fail(e, std::string("unknown attribute '") + a->Name() + "' for " + control->GetClass());
            if (!r.ok()) Fail(e, std::string("attribute '") + a->Name() + "': " + r.message);
        }
        if (container) {
            if (!container->Add(control)) Fail(e, "its parent <" + parent->GetClass() + "> refused it");
            owned.release();
        }
        if (owned) parentless_.push_back(std::move(owned));
        BuildChildren(e, control, includeDepth, false);
        return control;
    }

public:
    // Hands over the finished root; every other control without a parent goes with the builder.
    CControlUI* TakeRoot(CControlUI* root) {
        for (auto& c : parentless_) {
            if (c.get() == root) return c.release();
        }
        return root;
    }

private:
    std::vector<std::unique_ptr<CControlUI>> parentless_;

    IDialogBuilderCallback* callback_;
    CPaintManagerUI* pm_;
    std::string file_;
    int nextFontId_ = 0;
};

}  // namespace

CControlUI* CDialogBuilder::Create(const std::string& file, IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                   CControlUI* parent) {
    std::string name = CResourceManager::NormalizeName(file);
    auto xml = CResourceManager::LoadLayout(name);
    if (!xml) {
        m_error = name + ": the layout is not in the skin package";
        return nullptr;
    }
    return CreateFromString(*xml, name, callback, manager, parent);
}

CControlUI* CDialogBuilder::CreateFromString(std::string_view xml, const std::string& file,
                                             IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                             CControlUI* parent) {
    m_error.clear();
    Builder builder(callback, manager);
    CControlUI* root = nullptr;
    try {
        root = builder.TakeRoot(builder.BuildFile(xml, file, parent, 0));
    } catch (const BuildError& error) {
        // A partial tree under a parent stays with the parent; a parentless one goes with
        // the builder.
        m_error = error.message;
        return nullptr;
    }
    if (!root) m_error = file + ": the layout holds no control";
    return root;
}

}  // namespace DuiLib
