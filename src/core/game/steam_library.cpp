#include "core/game/steam_library.hpp"

#include <system_error>
#include <unordered_set>

#include "core/platform/folder_names.hpp"
#include "core/game/key_values.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/small_file.hpp"

namespace fs = std::filesystem;

namespace fw {

namespace {

constexpr size_t kLargestTextFile = 1u << 20;

std::optional<KeyValue> read_key_values(const fs::path& path) {
    const std::optional<std::string> text = read_small_text_file(path);
    if (!text) return std::nullopt;
    return parse_key_values(*text);
}

// A folder name read from a manifest names one folder below steamapps/common, nothing else.
bool is_plain_folder_name(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name) {
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

bool all_digits(const std::string& text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Two spellings of one folder (a symbolic link, a trailing separator) are one library.
fs::path same_folder_key(const fs::path& folder) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(folder, ec);
    return ec ? folder.lexically_normal() : canonical;
}

}  // namespace

std::optional<std::string> read_small_text_file(const fs::path& path) {
    return read_capped_file(path, kLargestTextFile);
}

fs::path entry_any_case(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return folder / name;
    return folder / find_entry_ignoring_case(folder, name).value_or(name);
}

std::vector<fs::path> steam_libraries(const fs::path& root) {
    std::vector<fs::path> libraries{root};
    // A set, not a list: a list file may name tens of thousands of libraries.
    std::unordered_set<std::string> keys{same_folder_key(root).string()};
    const std::optional<KeyValue> file =
        read_key_values(entry_any_case(entry_any_case(root, "steamapps"), "libraryfolders.vdf"));
    if (!file) return libraries;
    const KeyValue* list = file->find("libraryfolders");
    if (list == nullptr || !list->is_block) return libraries;
    for (const KeyValue& entry : list->children) {
        if (!all_digits(entry.key)) continue;  // the old form's "TimeNextStatsReport" and the like
        const std::string path = entry.is_block ? entry.value_of("path") : entry.value;
        if (path.empty()) continue;
        const fs::path library(path);
        if (!keys.insert(same_folder_key(library).string()).second) continue;
        libraries.push_back(library);
    }
    return libraries;
}

std::optional<fs::path> steam_app_folder(const fs::path& library, const std::string& app_id) {
    const fs::path steamapps = entry_any_case(library, "steamapps");
    const std::optional<KeyValue> manifest =
        read_key_values(entry_any_case(steamapps, "appmanifest_" + app_id + ".acf"));
    if (!manifest) return std::nullopt;
    const KeyValue* state = manifest->find("AppState");
    if (state == nullptr || !state->is_block) return std::nullopt;
    const std::string id = state->value_of("appid");
    if (!id.empty() && id != app_id) return std::nullopt;
    const std::string folder = state->value_of("installdir");
    if (!is_plain_folder_name(folder)) return std::nullopt;
    return entry_any_case(entry_any_case(steamapps, "common"), folder);
}

std::optional<fs::path> steam_library_of(const fs::path& install, const std::string& app_id) {
    fs::path folder = install;
    if (!folder.has_filename()) folder = folder.parent_path();  // a trailing separator
    const fs::path common = folder.parent_path();
    const fs::path steamapps = common.parent_path();
    if (!iequals(common.filename().string(), "common") ||
        !iequals(steamapps.filename().string(), "steamapps")) {
        return std::nullopt;
    }
    const fs::path library = steamapps.parent_path();
    const std::optional<fs::path> app = steam_app_folder(library, app_id);
    if (!app || !iequals(app->filename().string(), folder.filename().string())) return std::nullopt;
    return library;
}

fs::path proton_prefix(const fs::path& library, const std::string& app_id) {
    return entry_any_case(
        entry_any_case(entry_any_case(entry_any_case(library, "steamapps"), "compatdata"), app_id), "pfx");
}

}  // namespace fw
