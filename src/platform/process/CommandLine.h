#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvalis::platform {

// Command lines are built as one text, the way the tools' documentation writes them, and
// split into arguments only when the child is started. The split follows the rules that
// the tools' command lines were written for:
//  - the first argument (the program) ends at the next blank or tab, or, when it begins
//    with a double quote, at its closing quote, even when the next argument follows at
//    once ("tool"-i is the program and -i); a quote escaped as below stays in the name;
//  - the others are separated by blanks and tabs outside double quotes; 2n backslashes
//    before a double quote give n backslashes and the quote opens or closes a quoted part;
//    2n+1 backslashes before one give n backslashes and a literal quote; backslashes
//    elsewhere are literal; inside a quoted part, a quote right after a closing quote is
//    a literal quote. Every other byte, newlines included, belongs to its argument.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// One argument in double quotes, escaped by the same rules, so that SplitCommandLine gives
// it back unchanged whatever it holds (blanks, quotes, backslashes, newlines, any bytes).
// The result always has the quotes, also for a plain word, so that a command line reads
// the same for every path.
std::string QuoteArgument(std::string_view argument);

}  // namespace orvalis::platform
