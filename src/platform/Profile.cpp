#include "platform/Profile.h"

#include "platform/FileSystem.h"

namespace orvalis::platform {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

// "[name]" gives name; anything else gives nothing. Text after "]" is ignored.
std::optional<std::string_view> HeaderName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

bool IsCommentOrEmpty(std::string_view line) {
    std::string_view t = Trim(line);
    return t.empty() || t.front() == ';';
}

}  // namespace

ProfileDocument ProfileDocument::Parse(std::string_view bytes) {
    ProfileDocument doc;
    if (bytes.substr(0, kBom.size()) == kBom) {
        doc.bom_ = true;
        bytes.remove_prefix(kBom.size());
    }
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t nl = bytes.find('\n', pos);
        Line line;
        if (nl == std::string_view::npos) {
            line.text = std::string(bytes.substr(pos));
            pos = bytes.size();
        } else {
            line.text = std::string(bytes.substr(pos, nl - pos));
            line.end = "\n";
            pos = nl + 1;
        }
        if (!line.text.empty() && line.text.back() == '\r') {
            line.text.pop_back();
            line.end = line.end.empty() ? "\r" : "\r\n";
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

std::optional<ProfileDocument> ProfileDocument::Load(const std::string& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return Parse(*bytes);
}

std::vector<std::string> ProfileDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (auto name = HeaderName(line.text)) names.emplace_back(*name);
    }
    return names;
}

std::optional<size_t> ProfileDocument::FindSection(std::string_view section) const {
    std::string_view wanted = Trim(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = HeaderName(lines_[i].text);
        if (name && EqualsNoCase(*name, wanted)) return i;
    }
    return std::nullopt;
}

size_t ProfileDocument::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < lines_.size() && !HeaderName(lines_[i].text)) ++i;
    return i;
}

std::vector<std::string> ProfileDocument::SectionLines(std::string_view section) const {
    std::vector<std::string> result;
    std::optional<size_t> header = FindSection(section);
    if (!header) return result;
    for (size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i) {
        if (!IsCommentOrEmpty(lines_[i].text)) result.push_back(lines_[i].text);
    }
    return result;
}

std::optional<std::string> ProfileDocument::GetString(std::string_view section,
                                                      std::string_view key) const {
    std::optional<size_t> header = FindSection(section);
    if (!header) return std::nullopt;
    std::string_view wanted = Trim(key);
    for (size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i) {
        std::string_view text = lines_[i].text;
        if (IsCommentOrEmpty(text)) continue;
        size_t eq = text.find('=');
        if (eq == std::string_view::npos) continue;
        if (!EqualsNoCase(Trim(text.substr(0, eq)), wanted)) continue;
        std::string_view value = Trim(text.substr(eq + 1));
        if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                                  (value.front() == '\'' && value.back() == '\''))) {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

void ProfileDocument::SetString(std::string_view section, std::string_view key,
                                std::string_view value) {
    // New lines take the line end the file already uses.
    std::string eol = "\n";
    for (const Line& line : lines_) {
        if (line.end == "\n" || line.end == "\r\n") {
            eol = line.end;
            break;
        }
    }
    std::string newLine = std::string(Trim(key)) + "=" + std::string(value);
    std::optional<size_t> header = FindSection(section);
    if (!header) {
        if (!lines_.empty() && (lines_.back().end.empty() || lines_.back().end == "\r")) {
            lines_.back().end = eol;
        }
        lines_.push_back({"[" + std::string(Trim(section)) + "]", eol});
        lines_.push_back({newLine, eol});
        return;
    }
    size_t end = SectionEnd(*header);
    size_t lastContent = *header;
    for (size_t i = *header + 1; i < end; ++i) {
        std::string_view text = lines_[i].text;
        if (IsCommentOrEmpty(text)) continue;
        lastContent = i;
        size_t eq = text.find('=');
        if (eq != std::string_view::npos && EqualsNoCase(Trim(text.substr(0, eq)), Trim(key))) {
            lines_[i].text = std::string(text.substr(0, eq + 1)) + std::string(value);
            return;
        }
    }
    if (lines_[lastContent].end.empty() || lines_[lastContent].end == "\r") {
        lines_[lastContent].end = eol;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), {newLine, eol});
}

std::string ProfileDocument::Serialize() const {
    std::string out;
    if (bom_) out += kBom;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

std::string GetProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             size_t maxChars) {
    std::string value(defaultValue);
    if (auto doc = ProfileDocument::Load(path)) {
        if (auto found = doc->GetString(section, key)) value = std::move(*found);
    }
    return maxChars == 0 ? std::string() : TruncateCodePoints(value, maxChars - 1);
}

std::vector<std::string> GetProfileSection(const std::string& path, std::string_view section) {
    auto doc = ProfileDocument::Load(path);
    return doc ? doc->SectionLines(section) : std::vector<std::string>{};
}

std::vector<std::string> GetProfileSectionNames(const std::string& path) {
    auto doc = ProfileDocument::Load(path);
    return doc ? doc->SectionNames() : std::vector<std::string>{};
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    ProfileDocument doc;
    if (PathExists(path)) {
        auto loaded = ProfileDocument::Load(path);
        if (!loaded) return false;
        doc = std::move(*loaded);
    }
    doc.SetString(section, key, value);
    return WriteWholeFile(path, doc.Serialize()) == 0;
}

std::string TruncateCodePoints(std::string_view text, size_t maxChars) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        // A code point starts at every byte that is not a continuation byte.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == maxChars) return std::string(text.substr(0, i));
            ++count;
        }
    }
    return std::string(text);
}

}  // namespace orvalis::platform
