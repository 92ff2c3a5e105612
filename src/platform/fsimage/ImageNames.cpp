#include "platform/fsimage/ImageNames.h"

#include <map>
#include <set>

#include "platform/fsimage/FsiResults.h"

namespace orvalis::fsimage {

namespace {

constexpr size_t kIsoFileUnits = 30;  // name, dot and extension
constexpr size_t kIsoDirUnits = 31;
constexpr size_t kIsoExtensionUnits = 8;
constexpr size_t kJolietUnits = 64;
constexpr size_t kUdfNarrowUnits = 254;  // one byte a character
constexpr size_t kUdfWideUnits = 127;    // two bytes a character
constexpr unsigned kMaxAttempts = 100000;

struct Candidate {
    std::u16string text;
    bool isFile = false;
    bool keepsDot = false;  // ISO file identifiers always hold a dot
    size_t maxUnits = 0;
    char16_t mark = u'~';
};

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

std::u16string Cut(std::u16string s, size_t units) {
    if (s.size() <= units) return s;
    s.resize(units);
    if (!s.empty() && IsHighSurrogate(s.back())) s.pop_back();
    return s;
}

// Splits a file name at its last dot into stem and extension.
void Split(const Candidate& c, std::u16string& stem, std::u16string& ext, bool& hasDot) {
    size_t dot = c.isFile ? c.text.rfind(u'.') : std::u16string::npos;
    hasDot = dot != std::u16string::npos;
    stem = hasDot ? c.text.substr(0, dot) : c.text;
    ext = hasDot ? c.text.substr(dot + 1) : std::u16string();
}

// The name cut to its limit, with `number` (0: none) set before the extension.
std::u16string Fit(const Candidate& c, unsigned number) {
    std::u16string stem, ext;
    bool hasDot = false;
    Split(c, stem, ext, hasDot);
    if (c.text.size() <= c.maxUnits && number == 0) return c.text;
    if (ext.size() > c.maxUnits / 2) ext = Cut(ext, c.maxUnits / 2);
    std::u16string suffix;
    if (number > 0) {
        suffix.push_back(c.mark);
        for (char ch : std::to_string(number)) suffix.push_back(char16_t(ch));
    }
    size_t tail = suffix.size() + (hasDot ? 1 + ext.size() : 0);
    std::u16string out = Cut(stem, c.maxUnits > tail ? c.maxUnits - tail : 0) + suffix;
    if (hasDot) out += u'.' + ext;
    return out;
}

Result<std::vector<std::u16string>> MakeUnique(const std::vector<Candidate>& candidates) {
    std::vector<std::u16string> out(candidates.size());
    std::map<std::u16string, int> seen;
    for (const Candidate& c : candidates) ++seen[Fit(c, 0)];
    std::set<std::u16string> used;
    std::vector<size_t> later;
    // Names that are unique as they stand keep them; only the clashing ones get numbers.
    for (size_t i = 0; i < candidates.size(); ++i) {
        std::u16string plain = Fit(candidates[i], 0);
        if (seen[plain] == 1) {
            out[i] = plain;
            used.insert(plain);
        } else {
            later.push_back(i);
        }
    }
    for (size_t i : later) {
        std::u16string plain = Fit(candidates[i], 0);
        if (used.insert(plain).second) {
            out[i] = plain;
            continue;
        }
        unsigned n = 1;
        for (; n < kMaxAttempts; ++n) {
            std::u16string name = Fit(candidates[i], n);
            if (used.insert(name).second) {
                out[i] = name;
                break;
            }
        }
        if (n == kMaxAttempts) return Result<std::vector<std::u16string>>::Failure(kFsiNoUniqueName);
    }
    return out;
}

}  // namespace

std::u32string ImageNames::DecodeUtf8(const std::string& text) {
    std::u32string out;
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    size_t n = text.size();
    for (size_t i = 0; i < n;) {
        unsigned char c = s[i];
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (ok && ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
                   cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) {
            ok = false;
        }
        if (!ok) {
            out.push_back(U'\uFFFD');  // a byte that is not UTF-8
            ++i;
        } else {
            out.push_back(cp);
            i += static_cast<size_t>(len);
        }
    }
    return out;
}

std::u16string ImageNames::ToUtf16(const std::u32string& text) {
    std::u16string out;
    for (char32_t cp : text) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
    }
    return out;
}

Result<std::vector<std::string>> ImageNames::IsoNames(const std::vector<Entry>& entries) {
    std::vector<Candidate> candidates;
    for (const Entry& e : entries) {
        Candidate c;
        c.isFile = !e.directory;
        c.mark = u'_';
        c.maxUnits = e.directory ? kIsoDirUnits : kIsoFileUnits;
        std::u32string name = DecodeUtf8(e.name);
        size_t dot = c.isFile ? name.rfind(U'.') : std::u32string::npos;
        for (size_t i = 0; i < name.size(); ++i) {
            char32_t ch = name[i];
            if (i == dot) c.text.push_back(u'.');
            else if (ch >= U'a' && ch <= U'z') c.text.push_back(char16_t(ch - U'a' + U'A'));
            else if ((ch >= U'A' && ch <= U'Z') || (ch >= U'0' && ch <= U'9') || ch == U'_') c.text.push_back(char16_t(ch));
            else c.text.push_back(u'_');
        }
        if (c.isFile) {
            if (dot == std::u32string::npos) c.text.push_back(u'.');
            size_t d = c.text.rfind(u'.');
            if (c.text.size() - d - 1 > kIsoExtensionUnits) c.text.resize(d + 1 + kIsoExtensionUnits);
        }
        candidates.push_back(std::move(c));
    }
    auto unique = MakeUnique(candidates);
    if (!unique.ok()) return Result<std::vector<std::string>>::Failure(unique.code());
    std::vector<std::string> out;
    for (const std::u16string& u : *unique) out.emplace_back(u.begin(), u.end());
    return out;
}

Result<std::vector<std::u16string>> ImageNames::JolietNames(const std::vector<Entry>& entries) {
    std::vector<Candidate> candidates;
    for (const Entry& e : entries) {
        Candidate c;
        c.isFile = !e.directory;
        c.maxUnits = kJolietUnits;
        for (char16_t ch : ToUtf16(DecodeUtf8(e.name))) {
            bool bad = ch < 0x20 || ch == u'*' || ch == u'/' || ch == u':' || ch == u';' ||
                       ch == u'?' || ch == u'\\';
            c.text.push_back(bad ? u'_' : ch);
        }
        candidates.push_back(std::move(c));
    }
    return MakeUnique(candidates);
}

Result<std::vector<std::u16string>> ImageNames::UdfNames(const std::vector<Entry>& entries) {
    std::vector<Candidate> candidates;
    for (const Entry& e : entries) {
        Candidate c;
        c.isFile = !e.directory;
        c.text = ToUtf16(DecodeUtf8(e.name));
        bool narrow = true;
        for (char16_t ch : c.text) narrow = narrow && ch <= 0xFF;
        c.maxUnits = narrow ? kUdfNarrowUnits : kUdfWideUnits;
        candidates.push_back(std::move(c));
    }
    return MakeUnique(candidates);
}

std::string ImageNames::IsoVolumeId(const std::string& name) {
    std::string out;
    for (char32_t ch : DecodeUtf8(name)) {
        if (out.size() == 32) break;
        if (ch >= U'a' && ch <= U'z') out.push_back(char(ch - U'a' + U'A'));
        else if ((ch >= U'A' && ch <= U'Z') || (ch >= U'0' && ch <= U'9') || ch == U'_') out.push_back(char(ch));
        else out.push_back('_');
    }
    return out;
}

std::vector<uint8_t> ImageNames::UdfCompressed(const std::u16string& text) {
    bool narrow = true;
    for (char16_t ch : text) narrow = narrow && ch <= 0xFF;
    std::vector<uint8_t> out;
    if (text.empty()) return out;
    out.push_back(narrow ? 8 : 16);
    for (char16_t ch : text) {
        if (!narrow) out.push_back(uint8_t(ch >> 8));
        out.push_back(uint8_t(ch));
    }
    return out;
}

}  // namespace orvalis::fsimage
