#include "platform/process/CommandLine.h"

#include <gtest/gtest.h>

using orvalis::platform::QuoteArgument;
using orvalis::platform::SplitCommandLine;
using Args = std::vector<std::string>;

TEST(CommandLine, SplitsByTheQuotingRules) {
    struct Case {
        const char* line;
        Args args;
    } cases[] = {
        {R"("/opt/my tools/tool"-i  "/v/a b.mp4" )", {"/opt/my tools/tool", "-i", "/v/a b.mp4"}},
        {R"(/bin/x l "img")", {"/bin/x", "l", "img"}},
        {"prog\ta\t\tb", {"prog", "a", "b"}},
        {R"(prog a\\\"b)", {"prog", R"(a\"b)"}},     // 2n+1 backslashes: literal quote
        {R"(prog "a\\" b)", {"prog", R"(a\)", "b"}},  // 2n backslashes: the quote closes
        {R"(prog a\b\\c)", {"prog", R"(a\b\\c)"}},    // backslashes elsewhere stay
        {R"(prog "a""b")", {"prog", R"(a"b)"}},       // a quote right after a closing one
        {R"(prog -o"out dir")", {"prog", "-oout dir"}},
        {"prog \"a\nb\"", {"prog", "a\nb"}},
        {"prog a\nb", {"prog", "a\nb"}},  // only blanks and tabs separate
        {R"(prog "")", {"prog", ""}},
        {"prog  ", {"prog"}},
        {"", {""}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
}

TEST(CommandLine, AQuotedArgumentComesBackWhole) {
    const std::string nasty[] = {
        "plain",
        "",
        "with blank",
        "tab\there",
        R"(quote"inside)",
        R"(ends with backslash\)",
        R"(ends with two\\)",
        R"(backslash before quote\"x)",
        "line\nbreak",
        "\"",
        "\xC3\xA9t\xC3\xA9 \xE6\x96\x87\xE4\xBB\xB6.mp4",
        R"(\\server\share\"odd"\)",
    };
    for (const std::string& arg : nasty) {
        // Both as the program and as an argument after a program.
        Args args = SplitCommandLine(QuoteArgument(arg) + " -x " + QuoteArgument(arg) + " ");
        ASSERT_EQ(args.size(), 3u) << arg;
        EXPECT_EQ(args[0], arg);
        EXPECT_EQ(args[1], "-x");
        EXPECT_EQ(args[2], arg);
    }
    EXPECT_EQ(QuoteArgument("/a/b.mp4"), "\"/a/b.mp4\"");
    EXPECT_EQ(QuoteArgument(R"(a"b\)"), R"("a\"b\\")");
}
