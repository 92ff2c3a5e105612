#include "platform/recorders/ClientName.h"

#include <locale.h>
#include <wctype.h>

#include <cstdint>
#include <cstring>

namespace orvalis::recorders {
namespace {

constexpr size_t kMaxClientNameChars = 63;

// Decodes one UTF-8 sequence; false for a malformed one.
bool NextCodePoint(const std::string& text, size_t& pos, char32_t& out) {
    unsigned char lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        cp = lead & 0x1F;
        extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
        cp = lead & 0x0F;
        extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
        cp = lead & 0x07;
        extra = 3;
    } else {
        return false;
    }
    if (pos + extra >= text.size()) return false;
    for (int i = 1; i <= extra; ++i) {
        unsigned char c = static_cast<unsigned char>(text[pos + i]);
        if ((c & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMinForLength[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinForLength[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    pos += extra + 1;
    out = cp;
    return true;
}

// Letters and digits by the Unicode tables, whatever locale the process runs in.
bool IsAlphanumeric(char32_t cp) {
    static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    if (cp < 0x80 || utf8 == static_cast<locale_t>(0))
        return (cp >= '0' && cp <= '9') || (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z');
    return iswalnum_l(static_cast<wint_t>(cp), utf8) != 0;
}

}  // namespace

bool IsValidClientName(const std::string& name) {
    size_t chars = 0;
    for (size_t pos = 0; pos < name.size();) {
        char32_t cp = 0;
        if (!NextCodePoint(name, pos, cp)) return false;
        if (++chars > kMaxClientNameChars) return false;
        if (IsAlphanumeric(cp)) continue;
        if (cp >= 0x80 || std::strchr(" ,-.:;_", static_cast<int>(cp)) == nullptr || cp == 0)
            return false;
    }
    return chars > 0;
}

}  // namespace orvalis::recorders
