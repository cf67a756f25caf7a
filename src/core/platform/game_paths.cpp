#include "core/platform/game_paths.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/platform/folder_cache.hpp"
#include "core/platform/folder_names.hpp"
#include "core/platform/name_compare.hpp"

namespace fs = std::filesystem;

namespace fw {

namespace {

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
    const bool names_entry = parts.size() > first + 1 && game_path.back() != '\\' &&
                             game_path.back() != '/' && parts.back() != "." && parts.back() != "..";
    // An entry of a folder that exists as written, on a file system that dates the folder's
    // changes to the nanosecond: the folder's kept listing, checked against its state, answers
    // both whether the name exists as written and how else it is spelled, with no look at the
    // entry itself (a file about to be created is the usual case).
    if (!drive_form && names_entry) {
        fs::path parent = result;
        for (size_t i = first; i + 1 < parts.size(); ++i) parent /= parts[i];
        struct stat parent_info {};
        if (::stat(parent.c_str(), &parent_info) == 0 && S_ISDIR(parent_info.st_mode) &&
            parent_info.st_mtim.tv_nsec != 0) {
            const std::string& last = parts.back();
            const std::optional<std::string> found = find_entry(parent, last, parent_info);
            if (found == last) return fs::path(plain);
            return parent / found.value_or(last);
        }
    }
    if (!drive_form && !plain.empty() && fs::exists(plain, ec)) return fs::path(plain);
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
    // A folder found before for the same written parent, when this path names an entry in it.
    const std::string written_parent = game_path.substr(0, game_path.find_last_of("\\/") + 1);
    if (names_entry) {
        struct stat cached_info {};
        if (const auto real = matched_folder(written_parent, cached_info)) {
            return *real / find_entry_ignoring_case(*real, parts.back(), &cached_info).value_or(parts.back());
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
    if (exists && names_entry) remember_matched_folder(written_parent, result.parent_path());
    if (result.empty()) result = ".";
    return result;
#endif
}

std::string followed_path(const std::string& game_path) {
    std::error_code ec;
    const fs::path resolved = resolve_path(game_path);
    const fs::path real = fs::weakly_canonical(resolved, ec);
    return (ec ? resolved : real).lexically_normal().string();
}

bool has_drive_letter(const std::string& path) { return path.size() >= 2 && is_drive(path.substr(0, 2)); }

std::string display_path(const std::string& path) {
#ifdef _WIN32
    return path;  // the path as built is the real one here
#else
    std::string shown = resolve_path(path).string();
    // A relative path resolves below "."; it is shown as the user would write it.
    if (shown.starts_with("./") && !path.starts_with("./") && !path.starts_with(".\\")) shown.erase(0, 2);
    return shown;
#endif
}

}  // namespace fw
