// The brace markup of list rows and labels.
#include <gtest/gtest.h>

#include "toolkit/TextMarkup.h"

namespace toolkit_test {
namespace {

using DuiLib::MarkupRun;
using DuiLib::ParseMarkup;
using Kind = MarkupRun::Kind;

std::string Describe(const std::vector<MarkupRun>& runs) {
    std::string out;
    for (const MarkupRun& r : runs) {
        switch (r.kind) {
        case Kind::Text:
            out += "[" + r.text + " f" + std::to_string(r.fontId) + (r.bold ? " b" : "") + (r.color ? " c" : "") + "]";
            break;
        case Kind::Space:
            out += "[x" + std::to_string(r.space) + "]";
            break;
        case Kind::Image:
            out += "[i " + r.text + " " + std::to_string(r.imageCount) + " " + std::to_string(r.imageIndex) + "]";
            break;
        case Kind::NewLine:
            out += "[n]";
            break;
        }
    }
    return out;
}

TEST(MarkupTest, ParsesTheTagsOfListRows) {
    struct Case {
        const char* text;
        const char* runs;
    };
    const Case cases[] = {
        {"plain text", "[plain text f-1]"},
        {"{f 5}{x 2}{i drive.png 1 0}C:\\ System{/f}", "[x2][i drive.png 1 0][C:\\ System f5]"},
        // A disk row closes its font with "{/5}": any closing tag ends the innermost one.
        {"{f 5}{x 5}{i removable_drive.png 1 0}{x 2}Disk 1{/5}after", "[x5][i removable_drive.png 1 0][x2][Disk 1 f5][after f-1]"},
        {"{f 5}%s{/f}", "[%s f5]"},
        {"a{b}b{/b}{c #FF0000}c{/c}", "[a f-1][b f-1 b][c f-1 c]"},
        {"one{n}two", "[one f-1][n][two f-1]"},
        {"{i strip.png 4 2}", "[i strip.png 4 2]"},
        {"{i strip.png 2 9}", "[i strip.png 2 1]"},  // the frame is kept inside the strip
        {"{unknown 1}kept", "[kept f-1]"},
        {"{f x}bad font", "[bad font f-1]"},
        {"open { brace", "[open { brace f-1]"},
        {"{f 5}{f 6}in{/f}out{/f}", "[in f6][out f5]"},
        {"{/f}{/f}stray", "[stray f-1]"},
        {"{", "[{ f-1]"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Describe(ParseMarkup(c.text)), c.runs);
    }
}

TEST(MarkupTest, PlainTextDropsTheTags) {
    EXPECT_EQ(DuiLib::MarkupPlainText("{f 5}{x 2}%c:\\ Label{/f}"), "%c:\\ Label");
}

}  // namespace
}  // namespace toolkit_test
