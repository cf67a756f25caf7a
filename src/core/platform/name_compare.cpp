#include "core/platform/name_compare.hpp"

#include <algorithm>
#include <cctype>

namespace fw {

namespace {

unsigned char lower(unsigned char c) { return static_cast<unsigned char>(std::tolower(c)); }

}  // namespace

bool iequals(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

bool iless(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y));
    });
}

std::string to_upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string to_lower(std::string text) {
    for (char& c : text) c = static_cast<char>(lower(static_cast<unsigned char>(c)));
    return text;
}

bool wildcard_match(const std::string& pattern, const std::string& name) {
    // Iterative matcher with one backtrack point for the last "*": linear in practice.
    size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || lower(static_cast<unsigned char>(pattern[p])) ==
                                             lower(static_cast<unsigned char>(name[n])))) {
            ++p;
            ++n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace fw
