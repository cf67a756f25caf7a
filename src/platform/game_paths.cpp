#include "platform/game_paths.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/folder_names.hpp"

namespace fs = std::filesystem;

namespace fw {

namespace {

unsigned char lower(unsigned char c) { return static_cast<unsigned char>(std::tolower(c)); }

std::vector<std::string> split_components(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

bool is_drive(const std::string& component) {
    return component.size() == 2 && component[1] == ':' &&
           std::isalpha(static_cast<unsigned char>(component[0]));
}

// The entry of `folder` whose name equals `name` without regard to case, or `name` itself.
std::string match_component(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (name == "." || name == "..") return name;
    if (fs::exists(folder / name, ec)) return name;
    return find_entry_ignoring_case(folder, name).value_or(name);
}

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

fs::path wine_prefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
        return fs::path(prefix);
    }
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : "") / ".wine";
}

fs::path resolve_path(const std::string& game_path) {
#ifdef _WIN32
    return fs::path(game_path);
#else
    // Fast path: the string already names an existing file exactly as written.
    std::string plain = game_path;
    std::replace(plain.begin(), plain.end(), '\\', '/');
    std::error_code ec;
    const bool drive_form = game_path.size() >= 2 && is_drive(game_path.substr(0, 2));
    if (!drive_form && !plain.empty() && fs::exists(plain, ec)) return fs::path(plain);

    std::vector<std::string> parts = split_components(game_path);
    fs::path result;
    size_t first = 0;
    if (drive_form) {
        result = wine_prefix() / "dosdevices" / to_lower(parts[0]);
        first = 1;
    } else if (!game_path.empty() && (game_path[0] == '/' || game_path[0] == '\\')) {
        result = "/";
    } else {
        result = ".";
    }
    // A file about to be created usually lies in a folder that exists as written: then every
    // folder component would match itself, and the last one, which the fast path did not find as
    // written, is looked for in the folder's listing.
    if (!drive_form && parts.size() > first + 1) {
        fs::path parent = result;
        for (size_t i = first; i + 1 < parts.size(); ++i) parent /= parts[i];
        struct stat parent_info {};
        if (::stat(parent.c_str(), &parent_info) == 0 && S_ISDIR(parent_info.st_mode)) {
            const std::string& last = parts.back();
            if (last == "." || last == "..") return parent / last;
            return parent / find_entry_ignoring_case(parent, last, &parent_info).value_or(last);
        }
    }
    // Once one component is missing the rest cannot exist either; keep them as written.
    bool exists = true;
    for (size_t i = first; i < parts.size(); ++i) {
        if (exists) {
            const std::string matched = match_component(result, parts[i]);
            result /= matched;
            if (i + 1 < parts.size()) exists = fs::exists(result, ec);
        } else {
            result /= parts[i];
        }
    }
    if (result.empty()) result = ".";
    return result;
#endif
}

bool file_exists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(resolve_path(path), ec);
}

bool folder_exists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(resolve_path(path), ec);
}

int64_t file_length(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(resolve_path(path), ec);
    return ec ? -1 : static_cast<int64_t>(size);
}

std::vector<std::string> list_matching(const std::string& pattern, bool files_only) {
    const size_t cut = pattern.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string(".") : pattern.substr(0, cut + 1);
    const std::string name_pattern = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path real = resolve_path(folder.empty() ? std::string("/") : folder);
    for (fs::directory_iterator it(real, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name == "." || name == "..") continue;
        if (!wildcard_match(name_pattern, name)) continue;
        std::error_code type_ec;
        if (files_only && !it->is_regular_file(type_ec)) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if (iless(a, b)) return true;
        if (iless(b, a)) return false;
        return a < b;  // a stable order for names that differ only in case
    });
    return names;
}

bool has_drive_letter(const std::string& path) { return path.size() >= 2 && is_drive(path.substr(0, 2)); }

}  // namespace fw
