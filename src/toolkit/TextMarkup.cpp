#include "toolkit/TextMarkup.h"

#include <algorithm>
#include <cctype>

#include "toolkit/Attributes.h"
#include "toolkit/PaintManagerUI.h"

namespace DuiLib {

namespace {

struct Style {
    char kind;  // 'f', 'b', 'u', 'c'
    int fontId;
    bool bold;
    bool underline;
    ARGB color;
};

std::vector<std::string_view> SplitWords(std::string_view s) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
        size_t start = i;
        while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i]))) ++i;
        if (i > start) words.push_back(s.substr(start, i - start));
    }
    return words;
}

}  // namespace

std::vector<MarkupRun> ParseMarkup(std::string_view text) {
    std::vector<MarkupRun> runs;
    std::vector<Style> stack{{'\0', -1, false, false, 0}};
    std::string pending;
    auto flush = [&] {
        if (pending.empty()) return;
        const Style& s = stack.back();
        MarkupRun run;
        run.text = std::move(pending);
        run.fontId = s.fontId;
        run.bold = s.bold;
        run.underline = s.underline;
        run.color = s.color;
        runs.push_back(std::move(run));
        pending.clear();
    };
    size_t i = 0;
    while (i < text.size()) {
        char ch = text[i];
        if (ch != '{') {
            pending.push_back(ch);
            ++i;
            continue;
        }
        size_t close = text.find('}', i + 1);
        size_t nested = text.find('{', i + 1);
        if (close == std::string_view::npos || (nested != std::string_view::npos && nested < close)) {
            pending.push_back(ch);
            ++i;
            continue;
        }
        std::string_view tag = text.substr(i + 1, close - i - 1);
        i = close + 1;
        std::vector<std::string_view> words = SplitWords(tag);
        if (words.empty()) continue;
        std::string_view name = words[0];
        if (name.front() == '/') {
            flush();
            if (stack.size() > 1) stack.pop_back();
            continue;
        }
        Style next = stack.back();
        if (name == "f" && words.size() >= 2) {
            auto id = ParseInt(words[1]);
            if (!id) continue;
            flush();
            next.kind = 'f';
            next.fontId = *id;
            stack.push_back(next);
        } else if (name == "b" || name == "u") {
            flush();
            next.kind = name[0];
            (name == "b" ? next.bold : next.underline) = true;
            stack.push_back(next);
        } else if (name == "c" && words.size() >= 2) {
            auto color = ParseColor(words[1]);
            if (!color) continue;
            flush();
            next.kind = 'c';
            next.color = *color;
            stack.push_back(next);
        } else if (name == "x" && words.size() >= 2) {
            auto px = ParseInt(words[1]);
            if (!px) continue;
            flush();
            MarkupRun run;
            run.kind = MarkupRun::Kind::Space;
            run.space = std::clamp(*px, -4096, 4096);
            runs.push_back(run);
        } else if (name == "i" && words.size() >= 2) {
            flush();
            MarkupRun run;
            run.kind = MarkupRun::Kind::Image;
            run.text = std::string(words[1]);
            if (words.size() >= 3) {
                if (auto n = ParseInt(words[2]); n && *n > 0) run.imageCount = std::min(*n, 1024);
            }
            if (words.size() >= 4) {
                if (auto n = ParseInt(words[3]); n && *n >= 0) run.imageIndex = std::min(*n, run.imageCount - 1);
            }
            runs.push_back(std::move(run));
        } else if (name == "n") {
            flush();
            MarkupRun run;
            run.kind = MarkupRun::Kind::NewLine;
            runs.push_back(run);
        }
        // Anything else is a tag we do not know; it is skipped.
    }
    flush();
    return runs;
}

std::string MarkupPlainText(std::string_view text) {
    std::string out;
    for (const MarkupRun& run : ParseMarkup(text)) {
        if (run.kind == MarkupRun::Kind::Text) out += run.text;
        else if (run.kind == MarkupRun::Kind::NewLine) out += '\n';
    }
    return out;
}

namespace {

TFontInfo FontOf(CPaintManagerUI& pm, const MarkupRun& run, int defaultFont) {
    TFontInfo font = pm.GetFont(run.fontId >= 0 ? run.fontId : defaultFont);
    if (run.bold) font.bold = true;
    if (run.underline) font.underline = true;
    return font;
}

struct Placed {
    const MarkupRun* run;
    int width;
    int height;
    std::shared_ptr<IHostImage> image;
};

}  // namespace

void DrawMarkup(IRenderContext& ctx, CPaintManagerUI& pm, const RECT& rc, const std::vector<MarkupRun>& runs,
                int defaultFont, ARGB defaultColor, UINT style) {
    IHost* host = GetHost();
    if (!host) return;
    // Split into lines, measure each piece, then align each line in the rectangle.
    std::vector<std::vector<Placed>> lines(1);
    for (const MarkupRun& run : runs) {
        switch (run.kind) {
        case MarkupRun::Kind::NewLine:
            if (!(style & DT_SINGLELINE)) lines.emplace_back();
            break;
        case MarkupRun::Kind::Space:
            lines.back().push_back({&run, run.space, 0, nullptr});
            break;
        case MarkupRun::Kind::Image: {
            auto image = pm.GetImage(run.text);
            int w = image ? image->Width() / std::max(1, run.imageCount) : 0;
            int h = image ? image->Height() : 0;
            lines.back().push_back({&run, w, h, image});
            break;
        }
        case MarkupRun::Kind::Text: {
            SIZE sz = host->MeasureText(run.text, FontOf(pm, run, defaultFont));
            lines.back().push_back({&run, sz.cx, sz.cy, nullptr});
            break;
        }
        }
    }
    int lineHeight = pm.GetFont(defaultFont).size + 4;
    for (auto& line : lines) {
        for (auto& p : line) lineHeight = std::max(lineHeight, p.height);
    }
    int totalHeight = lineHeight * static_cast<int>(lines.size());
    int y = rc.top;
    if (style & DT_VCENTER) y = rc.top + (rc.Height() - totalHeight) / 2;
    else if (style & DT_BOTTOM) y = rc.bottom - totalHeight;
    for (auto& line : lines) {
        int width = 0;
        for (auto& p : line) width += p.width;
        int x = rc.left;
        if (style & DT_CENTER) x = rc.left + std::max(0, (rc.Width() - width) / 2);
        else if (style & DT_RIGHT) x = std::max(rc.left, rc.right - width);
        for (auto& p : line) {
            if (x >= rc.right) break;
            const MarkupRun& run = *p.run;
            if (run.kind == MarkupRun::Kind::Image && p.image) {
                int frame = p.width;
                RECT source{frame * run.imageIndex, 0, frame * (run.imageIndex + 1), p.height};
                int top = y + (lineHeight - p.height) / 2;
                RECT dest{x, top, x + frame, top + p.height};
                ctx.DrawImage(*p.image, dest, source, RECT{}, 255);
            } else if (run.kind == MarkupRun::Kind::Text) {
                RECT box{x, y, std::min(rc.right, x + p.width), y + lineHeight};
                UINT textStyle = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
                if (x + p.width > rc.right) {
                    box.right = rc.right;
                    if (style & DT_END_ELLIPSIS) textStyle |= DT_END_ELLIPSIS;
                }
                ctx.DrawText(box, run.text, FontOf(pm, run, defaultFont), run.color ? run.color : defaultColor,
                             textStyle);
            }
            x += p.width;
        }
        y += lineHeight;
    }
}

}  // namespace DuiLib
