#include "platform/process/CommandLine.h"

namespace orvalis::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view text) {
    std::vector<std::string> args;
    size_t i = 0;
    const size_t n = text.size();

    // The program: no escapes, a quote only groups.
    std::string program;
    if (i < n && text[i] == '"') {
        // The program ends at its closing quote, even when another argument follows with
        // no blank between. Escaped quotes are honoured so that any path that QuoteArgument
        // made comes back whole (file names here may hold a quote).
        ++i;
        while (i < n) {
            if (text[i] == '\\') {
                size_t backslashes = 0;
                while (i < n && text[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < n && text[i] == '"') {
                    program.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 0) break;  // the closing quote
                    program += '"';
                    ++i;
                } else {
                    program.append(backslashes, '\\');
                }
                continue;
            }
            if (text[i] == '"') break;
            program += text[i++];
        }
        if (i < n) ++i;  // the closing quote
    } else {
        while (i < n && !IsBlank(text[i])) program += text[i++];
    }
    args.push_back(std::move(program));

    while (i < n && IsBlank(text[i])) ++i;
    if (i >= n) return args;

    std::string current;
    bool inArgument = true;
    int quotes = 0;  // 1 inside a quoted part
    while (i < n) {
        char c = text[i];
        if (IsBlank(c) && quotes == 0) {
            if (inArgument) args.push_back(std::move(current));
            current.clear();
            inArgument = false;
            while (i < n && IsBlank(text[i])) ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            size_t backslashes = 0;
            while (i < n && text[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < n && text[i] == '"') {
                current.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    current += '"';
                    ++i;
                    continue;
                }
                // An even count: the quote is handled below as an ordinary quote.
            } else {
                current.append(backslashes, '\\');
            }
            continue;
        }
        if (c == '"') {
            ++quotes;
            ++i;
            // Further quotes straight after: every third one is a literal quote.
            while (i < n && text[i] == '"') {
                if (++quotes == 3) {
                    current += '"';
                    quotes = 0;
                }
                ++i;
            }
            if (quotes == 2) quotes = 0;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument) args.push_back(std::move(current));
    return args;
}

std::string QuoteArgument(std::string_view argument) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // Backslashes before the closing quote must not escape it.
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

}  // namespace orvalis::platform
