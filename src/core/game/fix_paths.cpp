#include "core/game/fix_paths.hpp"

#include <filesystem>
#include <system_error>

#include "core/formats/safe_names.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

std::string without_trailing_separators(std::string folder) {
    while (folder.size() > 1 && is_separator(folder.back())) folder.pop_back();
    return folder;
}

// The parts below the folder, each a plain name and none an existing link.
bool plain_parts_below(const std::string& folder, const std::string& below) {
    if (below.empty()) return false;
    std::string path = folder;
    size_t start = 0;
    while (start <= below.size()) {
        size_t end = start;
        while (end < below.size() && !is_separator(below[end])) ++end;
        const std::string part = below.substr(start, end - start);
        if (!is_safe_file_name(part)) return false;
        path += "\\" + part;
        std::error_code error;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(resolve_path(path), error))) return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

std::optional<PlacedPath> place_in_game(const std::vector<std::string>& folders, const std::string& path) {
    for (size_t i = 0; i < folders.size(); ++i) {
        const std::string folder = without_trailing_separators(folders[i]);
        if (folder.empty() || path.size() <= folder.size() + 1) continue;
        if (!iequals(path.substr(0, folder.size()), folder) || !is_separator(path[folder.size()])) continue;
        std::string below = path.substr(folder.size() + 1);
        for (char& c : below)
            if (c == '/') c = '\\';
        if (plain_parts_below(folder, below)) return PlacedPath{i, below};
    }
    return std::nullopt;
}

std::optional<std::string> game_path_of(const std::vector<std::string>& folders, const PlacedPath& place) {
    if (place.folder >= folders.size()) return std::nullopt;
    const std::string folder = without_trailing_separators(folders[place.folder]);
    if (folder.empty() || !plain_parts_below(folder, place.below)) return std::nullopt;
    return folder + "\\" + place.below;
}

}  // namespace fw
