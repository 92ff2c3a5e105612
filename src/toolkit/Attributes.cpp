#include "toolkit/Attributes.h"

#include <cctype>
#include <charconv>

namespace DuiLib {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Splits "a,b,c" into exactly `count` integers.
bool ParseInts(std::string_view text, int* out, size_t count) {
    size_t index = 0;
    while (index < count) {
        size_t comma = text.find(',');
        std::string_view part = text.substr(0, comma);
        auto n = ParseInt(part);
        if (!n) return false;
        out[index++] = *n;
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return index == count && text.find(',') == std::string_view::npos;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string QuoteForMessage(std::string_view value) {
    std::string text = "'";
    text.append(value.substr(0, 60));
    if (value.size() > 60) text += "...";
    text += "'";
    return text;
}

std::optional<int> ParseInt(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return std::nullopt;
    int value = 0;
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (base == 10 && text.front() == '+') text.remove_prefix(1);
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size()) {
        // Hexadecimal style values such as 0x8024 may exceed int's range as unsigned.
        if (base == 16) {
            unsigned u = 0;
            auto [end2, ec2] = std::from_chars(text.data(), text.data() + text.size(), u, 16);
            if (ec2 == std::errc() && end2 == text.data() + text.size()) return static_cast<int>(u);
        }
        return std::nullopt;
    }
    return value;
}

std::optional<bool> ParseBool(std::string_view text) {
    text = Trim(text);
    if (EqualsNoCase(text, "true") || text == "1") return true;
    if (EqualsNoCase(text, "false") || text == "0") return false;
    return std::nullopt;
}

std::optional<ARGB> ParseColor(std::string_view text) {
    text = Trim(text);
    bool hashed = !text.empty() && text.front() == '#';
    if (hashed) {
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    } else {
        return std::nullopt;
    }
    if (text.size() != 6 && text.size() != 8) return std::nullopt;
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (text.size() == 6) value |= 0xFF000000u;
    return value;
}

std::optional<RECT> ParseRect(std::string_view text) {
    int v[4];
    if (!ParseInts(text, v, 4)) return std::nullopt;
    return RECT{v[0], v[1], v[2], v[3]};
}

std::optional<SIZE> ParseSize(std::string_view text) {
    int v[2];
    if (!ParseInts(text, v, 2)) return std::nullopt;
    return SIZE{v[0], v[1]};
}

std::optional<std::vector<std::pair<std::string, std::string>>> ParseAttributeList(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> out;
    size_t i = 0;
    auto skipSpace = [&] {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    };
    for (;;) {
        skipSpace();
        if (i >= text.size()) return out;
        size_t nameStart = i;
        while (i < text.size() && text[i] != '=' && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        std::string name(text.substr(nameStart, i - nameStart));
        skipSpace();
        if (name.empty() || i >= text.size() || text[i] != '=') return std::nullopt;
        ++i;
        skipSpace();
        if (i >= text.size() || (text[i] != '"' && text[i] != '\'')) return std::nullopt;
        char quote = text[i++];
        size_t close = text.find(quote, i);
        if (close == std::string_view::npos) return std::nullopt;
        out.emplace_back(std::move(name), std::string(text.substr(i, close - i)));
        i = close + 1;
    }
}

std::optional<TImageDesc> ParseImageDesc(std::string_view text, std::string* error) {
    TImageDesc desc;
    if (text.find('=') == std::string_view::npos) {
        desc.file = std::string(Trim(text));
        return desc;
    }
    auto pairs = ParseAttributeList(text);
    if (!pairs) {
        *error = "image description " + QuoteForMessage(text) + " is not of the form file='a.png' dest='...'";
        return std::nullopt;
    }
    for (auto& [key, value] : *pairs) {
        std::optional<RECT> rc;
        if (key == "file" || key == "res") {
            desc.file = value;
        } else if (key == "restype") {
        } else if (key == "source" || key == "dest" || key == "corner") {
            rc = ParseRect(value);
            if (!rc) {
                *error = "image " + key + " expects left,top,right,bottom, got " + QuoteForMessage(value);
                return std::nullopt;
            }
            (key == "source" ? desc.source : key == "dest" ? desc.dest : desc.corner) = *rc;
        } else if (key == "fade") {
            auto n = ParseInt(value);
            if (!n || *n < 0 || *n > 255) {
                *error = "image fade expects 0 to 255, got " + QuoteForMessage(value);
                return std::nullopt;
            }
            desc.fade = static_cast<uint8_t>(*n);
        } else if (key == "hole") {
            auto b = ParseBool(value);
            if (!b) {
                *error = "image hole expects true or false, got " + QuoteForMessage(value);
                return std::nullopt;
            }
            desc.hole = *b;
        } else {
            *error = "image description has an unknown key " + QuoteForMessage(key);
            return std::nullopt;
        }
    }
    if (desc.file.empty()) {
        *error = "image description " + QuoteForMessage(text) + " names no file";
        return std::nullopt;
    }
    return desc;
}

}  // namespace DuiLib
