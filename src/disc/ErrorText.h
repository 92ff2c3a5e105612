#pragma once

#include <string>

namespace orvalis::disc {

// printf-style formatting for the wrappers' diagnostic texts.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A diagnostic text followed, on its own lines, by what the recorder service said.
std::string WithServiceText(std::string text, const std::string& serviceText);

}  // namespace orvalis::disc
