#pragma once

#include <string>

namespace orvalis::recorders {

// The rule for the name a program gives the recorder service: 1 to 63 characters, each a
// letter or digit or one of space , - . : ; _  (UTF-8; a character is one code point).
bool IsValidClientName(const std::string& name);

}  // namespace orvalis::recorders
