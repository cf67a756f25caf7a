#pragma once
// Names compared the way the game's file system compares them: ASCII letters without regard to
// case, every other byte as it is.
#include <string>

namespace fw {

// Case-insensitive wildcard match of one name ("?" one character, "*" any run).
bool wildcard_match(const std::string& pattern, const std::string& name);
bool iequals(const std::string& a, const std::string& b);
bool iless(const std::string& a, const std::string& b);
std::string to_upper(std::string text);
std::string to_lower(std::string text);

}  // namespace fw
