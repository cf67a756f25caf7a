#include "core/game/nested_skins.hpp"

#include <filesystem>
#include <system_error>

#include "core/base/failure.hpp"
#include "core/game/fix_journal.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

namespace {

// Players' archives nest a folder or two; a deeper tree is no unzipped download.
constexpr int kDeepest = 8;

bool is_link(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_symlink(std::filesystem::symlink_status(resolve_path(path), error));
}

void find_below(const std::string& skins_folder, const std::string& folder, int depth,
                std::vector<NestedSkinFile>& found) {
    for (const std::string& name : list_matching(folder + "\\*")) {
        const std::string path = folder + "\\" + name;
        if (is_link(path)) continue;
        if (folder_exists(path)) {
            if (depth < kDeepest) find_below(skins_folder, path, depth + 1, found);
        } else if (depth > 0 && is_skin_file_name(name)) {
            const std::string up = skins_folder + "\\" + name;
            found.push_back({path, skins_folder, name, !file_exists(up) && !folder_exists(up) && !is_link(up)});
        }
    }
}

bool ends_with(const std::string& name, const char* ending) {
    const std::string tail = ending;
    return name.size() > tail.size() && iequals(name.substr(name.size() - tail.size()), tail);
}

}  // namespace

bool is_skin_file_name(const std::string& name) {
    for (const char* ending : {".cmx", ".cmx.bcf", ".skn", ".bmf", ".bmp"})
        if (ends_with(name, ending)) return true;
    return false;
}

std::vector<NestedSkinFile> find_nested_skin_files(const std::string& skins_folder) {
    std::vector<NestedSkinFile> found;
    find_below(skins_folder, skins_folder, 0, found);
    return found;
}

void move_nested_skin_file(FixJournal& journal, const NestedSkinFile& file) {
    journal.move(file.path, file.skins_folder + "\\" + file.name, "moved out of a subfolder the game does not read");
}

}  // namespace fw
