#pragma once
// Typed parsers for layout attribute values, parsed once, and the per-class attribute
// tables through which every control reads its attributes. A malformed value is an error
// with a message, never a silent zero.

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "toolkit/UIDefs.h"

namespace DuiLib {

enum class AttrOutcome { Ok, Unknown, Malformed };

struct AttrResult {
    AttrOutcome outcome = AttrOutcome::Ok;
    std::string message;
    static AttrResult Ok() { return {}; }
    static AttrResult Unknown() { return {AttrOutcome::Unknown, {}}; }
    static AttrResult Malformed(std::string message) { return {AttrOutcome::Malformed, std::move(message)}; }
    bool ok() const { return outcome == AttrOutcome::Ok; }
};

std::optional<int> ParseInt(std::string_view text);
std::optional<bool> ParseBool(std::string_view text);
// "#RRGGBB" (opaque), "#AARRGGBB", "0xAARRGGBB".
std::optional<ARGB> ParseColor(std::string_view text);
// "l,t,r,b"
std::optional<RECT> ParseRect(std::string_view text);
// "w,h"
std::optional<SIZE> ParseSize(std::string_view text);
// `name="value" name2='value2'`: the attribute lists of Default and Style elements.
std::optional<std::vector<std::pair<std::string, std::string>>> ParseAttributeList(std::string_view text);

// An image description: a plain file name, or "file='a.png' source='0,0,16,16'
// dest='0,4,16,20' corner='2,2,2,2' fade='200' hole='false'".
struct TImageDesc {
    std::string file;
    RECT source;   // empty: the whole image
    RECT dest;     // relative to the control; empty: the whole control
    RECT corner;   // margins kept unscaled
    uint8_t fade = 255;
    bool hole = false;
    bool IsEmpty() const { return file.empty(); }
};
// Nothing for a malformed description; `error` says why.
std::optional<TImageDesc> ParseImageDesc(std::string_view text, std::string* error);

bool EqualsNoCase(std::string_view a, std::string_view b);

// One class's attributes: name -> setter. A class's SetAttribute looks in its own table,
// then hands the name to its base class.
template <typename T>
using AttributeSetter = std::function<AttrResult(T&, std::string_view)>;

template <typename T>
class AttributeTable {
public:
    AttributeTable(std::initializer_list<std::pair<const std::string, AttributeSetter<T>>> entries)
        : setters_(entries) {}
    // Unknown when the name is not in the table.
    AttrResult Apply(T& control, std::string_view name, std::string_view value) const {
        auto it = setters_.find(std::string(name));
        if (it == setters_.end()) return AttrResult::Unknown();
        return it->second(control, value);
    }

private:
    std::unordered_map<std::string, AttributeSetter<T>> setters_;
};

std::string QuoteForMessage(std::string_view value);

// Setter adapters: AttrString(&T::SetText), AttrInt(&T::SetFixedWidth), ...
template <typename T, typename F>
AttributeSetter<T> AttrString(F setter) {
    return [setter](T& c, std::string_view v) {
        std::invoke(setter, c, std::string(v));
        return AttrResult::Ok();
    };
}

template <typename T, typename F>
AttributeSetter<T> AttrInt(F setter) {
    return [setter](T& c, std::string_view v) {
        auto n = ParseInt(v);
        if (!n) return AttrResult::Malformed("expected an integer, got " + QuoteForMessage(v));
        std::invoke(setter, c, *n);
        return AttrResult::Ok();
    };
}

template <typename T, typename F>
AttributeSetter<T> AttrBool(F setter) {
    return [setter](T& c, std::string_view v) {
        auto b = ParseBool(v);
        if (!b) return AttrResult::Malformed("expected true or false, got " + QuoteForMessage(v));
        std::invoke(setter, c, *b);
        return AttrResult::Ok();
    };
}

template <typename T, typename F>
AttributeSetter<T> AttrColor(F setter) {
    return [setter](T& c, std::string_view v) {
        auto color = ParseColor(v);
        if (!color) return AttrResult::Malformed("expected a colour like #FF336699, got " + QuoteForMessage(v));
        std::invoke(setter, c, *color);
        return AttrResult::Ok();
    };
}

template <typename T, typename F>
AttributeSetter<T> AttrRect(F setter) {
    return [setter](T& c, std::string_view v) {
        auto rc = ParseRect(v);
        if (!rc) return AttrResult::Malformed("expected left,top,right,bottom, got " + QuoteForMessage(v));
        std::invoke(setter, c, *rc);
        return AttrResult::Ok();
    };
}

template <typename T, typename F>
AttributeSetter<T> AttrSize(F setter) {
    return [setter](T& c, std::string_view v) {
        auto sz = ParseSize(v);
        if (!sz) return AttrResult::Malformed("expected width,height, got " + QuoteForMessage(v));
        std::invoke(setter, c, *sz);
        return AttrResult::Ok();
    };
}

template <typename T, typename F>
AttributeSetter<T> AttrImage(F setter) {
    return [setter](T& c, std::string_view v) {
        std::string error;
        if (!v.empty() && !ParseImageDesc(v, &error)) return AttrResult::Malformed(error);
        std::invoke(setter, c, std::string(v));
        return AttrResult::Ok();
    };
}

}  // namespace DuiLib
