#include "toolkit/EditUI.h"

#include <algorithm>

#include "toolkit/ControlFactory.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowWnd.h"

namespace DuiLib {

DUI_REGISTER_CONTROL("Edit", CEditUI);

namespace {

const AttributeTable<CEditUI> kAttributes = {
    {"maxchar", AttrInt<CEditUI>(&CEditUI::SetMaxChar)},
    {"readonly", AttrBool<CEditUI>(&CEditUI::SetReadOnly)},
    {"password", AttrBool<CEditUI>(&CEditUI::SetPasswordMode)},
    {"nativebkcolor", AttrColor<CEditUI>(&CEditUI::SetNativeBkColor)},
};

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

size_t PrevChar(const std::string& s, size_t i) {
    if (i == 0) return 0;
    --i;
    while (i > 0 && IsContinuation(static_cast<unsigned char>(s[i]))) --i;
    return i;
}

size_t NextChar(const std::string& s, size_t i) {
    if (i >= s.size()) return s.size();
    ++i;
    while (i < s.size() && IsContinuation(static_cast<unsigned char>(s[i]))) ++i;
    return i;
}

size_t CountChars(const std::string& s) {
    return static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char c) { return !IsContinuation(static_cast<unsigned char>(c)); }));
}

std::string EncodeUtf8(uint32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        if (cp >= 0xD800 && cp <= 0xDFFF) return {};
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// Cuts a text to at most `chars` characters on a character boundary.
std::string TruncateChars(const std::string& s, size_t chars) {
    size_t i = 0, n = 0;
    while (i < s.size() && n < chars) {
        i = NextChar(s, i);
        ++n;
    }
    return s.substr(0, i);
}

}  // namespace

CEditUI::CEditUI() {
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    m_rcTextPadding = {4, 0, 4, 0};
    m_dwBorderColor = 0xFFC5CBD3;
    m_dwFocusBorderColor = 0xFF3B82F6;
    m_nBorderSize = 1;
}

std::string CEditUI::GetClass() const { return "EditUI"; }

void* CEditUI::GetInterface(std::string_view name) {
    if (name == "Edit" || name == "EditUI") return this;
    return CLabelUI::GetInterface(name);
}

UINT CEditUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_SETCURSOR | UIFLAG_TABSTOP : 0; }

void CEditUI::SetText(const std::string& text) {
    std::string limited = m_iMaxChar > 0 ? TruncateChars(text, static_cast<size_t>(m_iMaxChar)) : text;
    if (limited == m_sText) return;
    m_sText = limited;
    m_caret = m_anchor = m_sText.size();
    Invalidate();
}

void CEditUI::SetSel(size_t start, size_t end) {
    m_anchor = std::min(start, m_sText.size());
    m_caret = std::min(end, m_sText.size());
    // Keep both ends on character boundaries.
    while (m_anchor > 0 && m_anchor < m_sText.size() && IsContinuation(static_cast<unsigned char>(m_sText[m_anchor]))) --m_anchor;
    while (m_caret > 0 && m_caret < m_sText.size() && IsContinuation(static_cast<unsigned char>(m_sText[m_caret]))) --m_caret;
    Invalidate();
}

std::string CEditUI::GetSelText() const {
    size_t a = std::min(m_anchor, m_caret), b = std::max(m_anchor, m_caret);
    return m_sText.substr(a, b - a);
}

void CEditUI::ReplaceSel(const std::string& text) {
    size_t a = std::min(m_anchor, m_caret), b = std::max(m_anchor, m_caret);
    std::string insert = text;
    if (m_iMaxChar > 0) {
        size_t room = static_cast<size_t>(m_iMaxChar) - std::min<size_t>(m_iMaxChar, CountChars(m_sText) - CountChars(m_sText.substr(a, b - a)));
        insert = TruncateChars(insert, room);
    }
    if (insert.empty() && a == b) return;
    m_sText.replace(a, b - a, insert);
    m_caret = m_anchor = a + insert.size();
    Changed();
}

void CEditUI::Changed() {
    Invalidate();
    UpdateInputRect();
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TEXTCHANGED);
}

std::string CEditUI::DisplayText(const std::string& text) const {
    if (!m_bPassword) return text;
    return std::string(CountChars(text), '*');
}

RECT CEditUI::TextRect() const {
    RECT rc = m_rcItem;
    rc.Deflate(m_rcTextPadding);
    return rc;
}

int CEditUI::XAtOffset(size_t offset) const {
    if (!m_pManager) return TextRect().left;
    SIZE sz = m_pManager->MeasureText(DisplayText(m_sText.substr(0, offset)), m_iFont);
    return TextRect().left + sz.cx;
}

size_t CEditUI::OffsetAtX(int x) const {
    size_t best = 0;
    int bestDistance = std::abs(x - XAtOffset(0));
    for (size_t i = NextChar(m_sText, 0); i <= m_sText.size(); i = NextChar(m_sText, i)) {
        int d = std::abs(x - XAtOffset(i));
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
        if (i == m_sText.size()) break;
    }
    return best;
}

void CEditUI::MoveCaret(size_t to, bool extend) {
    m_caret = std::min(to, m_sText.size());
    if (!extend) m_anchor = m_caret;
    Invalidate();
    UpdateInputRect();
}

void CEditUI::UpdateInputRect() {
    if (!m_pManager || !m_pManager->GetWindow() || !m_pManager->GetWindow()->GetHostWindow()) return;
    int x = XAtOffset(m_caret);
    RECT caret{x, m_rcItem.top, x + 1, m_rcItem.bottom};
    m_pManager->GetWindow()->GetHostWindow()->SetTextInputRect(caret, IsFocused() && !m_bReadOnly);
}

void CEditUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT_FIRST && event.Type < UIEVENT_LAST && event.Type != UIEVENT_TIMER) {
        if (m_pParent) m_pParent->DoEvent(event);
        return;
    }
    bool shift = (event.wKeyState & MK_SHIFT) != 0;
    bool ctrl = (event.wKeyState & MK_CONTROL) != 0;
    IHost* host = GetHost();
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
        CLabelUI::DoEvent(event);
        UpdateInputRect();
        return;
    case UIEVENT_KILLFOCUS:
        m_composition.clear();
        CLabelUI::DoEvent(event);
        UpdateInputRect();
        return;
    case UIEVENT_BUTTONDOWN:
        if (IsEnabled()) {
            MoveCaret(OffsetAtX(event.ptMouse.x), shift);
            m_bSelecting = true;
        }
        return;
    case UIEVENT_DBLCLICK:
        SetSelAll();
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_bSelecting) MoveCaret(OffsetAtX(event.ptMouse.x), true);
        return;
    case UIEVENT_BUTTONUP:
        m_bSelecting = false;
        return;
    case UIEVENT_KEYDOWN:
        switch (event.chKey) {
        case VK_LEFT:
            MoveCaret(!shift && m_caret != m_anchor ? std::min(m_caret, m_anchor) : PrevChar(m_sText, m_caret), shift);
            return;
        case VK_RIGHT:
            MoveCaret(!shift && m_caret != m_anchor ? std::max(m_caret, m_anchor) : NextChar(m_sText, m_caret), shift);
            return;
        case VK_HOME:
            MoveCaret(0, shift);
            return;
        case VK_END:
            MoveCaret(m_sText.size(), shift);
            return;
        case VK_BACK:
            if (m_bReadOnly) return;
            if (m_caret == m_anchor) m_anchor = PrevChar(m_sText, m_caret);
            ReplaceSel("");
            return;
        case VK_DELETE:
            if (m_bReadOnly) return;
            if (m_caret == m_anchor) m_anchor = NextChar(m_sText, m_caret);
            ReplaceSel("");
            return;
        case VK_RETURN:
            if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_RETURN);
            return;
        default:
            break;
        }
        if (ctrl) {
            switch (event.chKey) {
            case 'A':
                SetSelAll();
                return;
            case 'C':
                if (host && !m_bPassword) host->SetClipboardText(GetSelText());
                return;
            case 'X':
                if (host && !m_bPassword && !m_bReadOnly) {
                    host->SetClipboardText(GetSelText());
                    ReplaceSel("");
                }
                return;
            case 'V':
                if (host && !m_bReadOnly) {
                    std::string text = host->GetClipboardText();
                    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }),
                               text.end());
                    ReplaceSel(text);
                }
                return;
            default:
                break;
            }
        }
        return;
    case UIEVENT_CHAR:
        if (m_bReadOnly || event.chKey < 0x20 || event.chKey == 0x7F || ctrl) return;
        ReplaceSel(EncodeUtf8(event.chKey));
        return;
    case UIEVENT_IME:
        // lParam 0: composing text to show at the caret; 1: committed text.
        if (m_bReadOnly) return;
        if (event.wParam == 1) {
            m_composition.clear();
            ReplaceSel(event.text);
        } else {
            m_composition = event.text;
            Invalidate();
        }
        return;
    default:
        CLabelUI::DoEvent(event);
    }
}

void CEditUI::PaintStatusImage(IRenderContext& ctx) {
    if (m_dwEditBkColor && !m_dwBackColor) ctx.FillRect(m_rcItem, m_dwEditBkColor);
    CLabelUI::PaintStatusImage(ctx);
}

void CEditUI::PaintText(IRenderContext& ctx) {
    if (!m_pManager) return;
    RECT rc = TextRect();
    const TFontInfo& font = m_pManager->GetFont(m_iFont);
    if (IsFocused() && m_caret != m_anchor) {
        int x1 = XAtOffset(std::min(m_caret, m_anchor)), x2 = XAtOffset(std::max(m_caret, m_anchor));
        ctx.FillRect({x1, rc.top + 3, x2, rc.bottom - 3}, m_dwSelColor);
    }
    std::string shown = DisplayText(m_sText.substr(0, m_caret)) + m_composition + DisplayText(m_sText.substr(m_caret));
    if (!shown.empty()) ctx.DrawText(rc, shown, font, CurrentTextColor(), DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    if (IsFocused() && !m_bReadOnly) {
        int x = XAtOffset(m_caret) + (m_composition.empty() ? 0 : m_pManager->MeasureText(m_composition, m_iFont).cx);
        int h = font.size + 4;
        int top = (rc.top + rc.bottom - h) / 2;
        ctx.DrawLine({x, top}, {x, top + h}, 1, CurrentTextColor());
    }
}

AttrResult CEditUI::SetAttribute(std::string_view name, std::string_view value) {
    AttrResult r = kAttributes.Apply(*this, name, value);
    if (r.outcome != AttrOutcome::Unknown) return r;
    return CLabelUI::SetAttribute(name, value);
}

}  // namespace DuiLib
