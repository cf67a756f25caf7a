#include "core/game/saves_folder.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"
#include "core/game/registry.hpp"
#include "core/game/steam_library.hpp"

#ifdef _WIN32
#include "core/platform/known_folders.hpp"
#endif

namespace fs = std::filesystem;

namespace fw {

namespace {

constexpr const char* kEaAppFolderName = "The Sims Legacy";

#ifndef _WIN32

// The Wine prefix a folder lies in: the folder above its drive_c, or above the dosdevices link
// it was reached through.
std::optional<fs::path> enclosing_prefix(const fs::path& folder) {
    for (fs::path at = folder; at.has_relative_path(); at = at.parent_path()) {
        const std::string name = at.filename().string();
        if (name == "drive_c" || name == "dosdevices") return at.parent_path();
    }
    return std::nullopt;
}

// The saves folder of a Windows user of the prefix: the first user (by name) whose Saved Games
// holds it; before the game has made it, the user the prefix runs programs as.
std::string saves_in_prefix(const fs::path& prefix, const std::string& usual_user) {
    const fs::path users = prefix / "drive_c" / "users";
    const std::string below = "/Saved Games/Electronic Arts/The Sims 25";
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(users, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        const std::string name = it->path().filename().string();
        if (it->is_directory(type_ec) && !iequals(name, "Public")) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), iless);
    for (const std::string& name : names) {
        const std::string saves = (users / name).string() + below;
        if (folder_exists(saves)) return saves;
    }
    const bool usual_there = std::any_of(names.begin(), names.end(),
                                         [&](const std::string& name) { return iequals(name, usual_user); });
    const std::string user = usual_there || names.empty() ? usual_user : names.front();
    return (users / user).string() + below;
}

std::string wine_user() {
    const char* user = std::getenv("USER");
    return user != nullptr && *user != '\0' ? user : "steamuser";
}

#endif

}  // namespace

SavesFolder saves_folder(const std::string& game_path) {
    const SavesFolder in_install{game_path, SavesPlace::Install, ""};
    if (game_path.empty()) return in_install;
    std::string folder = game_path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    const fs::path real = resolve_path(folder);
    const std::optional<fs::path> library = steam_library_of(real, kLegacyAppId);
    if (!library && !iequals(real.filename().string(), kEaAppFolderName)) return in_install;
#ifdef _WIN32
    const std::string saved_games = saved_games_folder();
    if (saved_games.empty()) return in_install;
    return {saved_games + "\\" + kLegacySavesBelowSavedGames, SavesPlace::SavedGames, ""};
#else
    if (const std::optional<fs::path> prefix = enclosing_prefix(real)) {
        return {saves_in_prefix(*prefix, wine_user()), SavesPlace::WinePrefix, prefix->string()};
    }
    if (library) {
        const fs::path prefix = proton_prefix(*library, kLegacyAppId);
        return {saves_in_prefix(prefix, "steamuser"), SavesPlace::ProtonPrefix, prefix.string()};
    }
    return in_install;
#endif
}

bool saves_not_made_yet(const SavesFolder& saves) { return saves.legacy() && !folder_exists(saves.path); }

std::string saves_place_text(const SavesFolder& saves) {
    switch (saves.place) {
    case SavesPlace::Install: return "the install folder";
    case SavesPlace::ProtonPrefix: return "the Proton prefix " + display_path(saves.prefix);
    case SavesPlace::WinePrefix: return "the Wine prefix " + display_path(saves.prefix);
    case SavesPlace::SavedGames: break;
    }
    return "the Saved Games folder";
}

}  // namespace fw
