#pragma once
// The small markup of list rows and labels: a text with tags in braces.
//   {f 5} ... {/f}      font 5 of the window
//   {b} {/b}  {u} {/u}  bold, underline
//   {c #RRGGBB} {/c}    colour
//   {x 2}               2 pixels of horizontal space
//   {i drive.png 1 0}   an inline image: file, frames in the strip, frame shown
//   {n}                 a line break
// A closing tag ends the innermost open one ("{/5}" ends a font as well). Unknown tags are
// skipped; a brace without its closing partner is plain text.

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Host.h"
#include "toolkit/UIDefs.h"

namespace DuiLib {

class CPaintManagerUI;

struct MarkupRun {
    enum class Kind { Text, Space, Image, NewLine };
    Kind kind = Kind::Text;
    std::string text;   // Text: the characters; Image: the file
    int fontId = -1;
    bool bold = false;
    bool underline = false;
    ARGB color = 0;     // 0: the control's colour
    int space = 0;      // Space: pixels
    int imageCount = 1;
    int imageIndex = 0;
    bool operator==(const MarkupRun&) const = default;
};

std::vector<MarkupRun> ParseMarkup(std::string_view text);
// The text of the runs without tags.
std::string MarkupPlainText(std::string_view text);

// Draws parsed runs in a rectangle with the DT_* alignment of `style`; text past the right
// edge ends with an ellipsis when the style asks for one.
void DrawMarkup(IRenderContext& ctx, CPaintManagerUI& pm, const RECT& rc, const std::vector<MarkupRun>& runs,
                int defaultFont, ARGB defaultColor, UINT style);

}  // namespace DuiLib
