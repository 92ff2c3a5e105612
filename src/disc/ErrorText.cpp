#include "disc/ErrorText.h"

#include <cstdarg>
#include <cstdio>

namespace orvalis::disc {

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    char buffer[1024];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string WithServiceText(std::string text, const std::string& serviceText) {
    if (!serviceText.empty()) text += "\n" + serviceText;
    return text;
}

}  // namespace orvalis::disc
