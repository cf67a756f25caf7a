#include "core/game/game_installs.hpp"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <unordered_set>

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

fs::path folder_key(const fs::path& folder) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(folder, ec);
    return ec ? folder.lexically_normal() : canonical;
}

// A registry answer names a folder from a drive or a root. Anything else ("", "..\..") would be
// taken from whatever folder the program was started in.
bool names_a_folder(const std::string& entry) {
    return entry != kRegistryFailure &&
           (has_drive_letter(entry) || entry.rfind('\\', 0) == 0 || entry.rfind('/', 0) == 0);
}

// What a registry entry is, in the player's words.
std::string entry_finding(const std::string& entry, const std::string& folder) {
    if (entry == kRegistryFailure) return "no entry for The Sims (InstallPath)";
    if (!names_a_folder(entry)) return "InstallPath \"" + entry + "\" names no folder";
    if (!holds_game_executable(folder)) return "InstallPath \"" + entry + "\" holds no Sims.exe";
    return "The Sims in " + folder;
}

// Collects installs in order, each folder once; stops after the first when only that is wanted.
// When asked, it also notes each place looked at and what was found there.
class Finds {
public:
    Finds(bool first_only, std::vector<PlaceLooked>* places = nullptr)
        : first_only_(first_only), places_(places) {}

    bool done() const { return first_only_ && !installs_.empty(); }

    void note(const std::string& place, const std::string& found) {
        if (places_ != nullptr) places_->push_back({place, found});
    }

    void add(GameInstall install) {
        if (done()) return;
        const fs::path key = folder_key(resolve_path(install.path));
        if (std::find(keys_.begin(), keys_.end(), key) != keys_.end()) return;
        keys_.push_back(key);
        installs_.push_back(std::move(install));
    }

    std::vector<GameInstall> take() { return std::move(installs_); }

private:
    bool first_only_;
    std::vector<PlaceLooked>* places_;
    std::vector<fs::path> keys_;
    std::vector<GameInstall> installs_;
};

void search_steam(const InstallSearch& search, Finds& finds) {
    // A set, not a list: Steam's list file may name tens of thousands of libraries.
    std::unordered_set<std::string> seen;
    std::unordered_set<std::string> roots;  // the data home is most often ~/.local/share
    for (const fs::path& root : search.steam_roots) {
        if (!roots.insert(folder_key(root).string()).second) continue;
        std::error_code ec;
        if (!fs::is_directory(root, ec)) {
            finds.note("Steam " + root.string(), "not there");
            continue;
        }
        for (const fs::path& library : steam_libraries(root)) {
            if (finds.done()) return;
            if (!seen.insert(folder_key(library).string()).second) continue;
            const std::string place = "Steam library " + library.string();
            const std::optional<fs::path> app = steam_app_folder(library, kLegacyAppId);
            if (!app) {
                finds.note(place, "The Sims Legacy Collection is not installed there");
            } else if (!holds_game_executable(app->string())) {
                finds.note(place, app->string() + " holds no Sims.exe");
            } else {
                finds.note(place, "The Sims in " + app->string());
                const fs::path manifest = entry_any_case(entry_any_case(library, "steamapps"),
                                                         std::string("appmanifest_") + kLegacyAppId + ".acf");
                finds.add({app->string(), InstallFoundBy::SteamLibrary, manifest.string()});
            }
        }
    }
}

#ifndef _WIN32

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

constexpr const char* kEaAppFolder = "C:\\Program Files\\EA Games\\The Sims Legacy";

// A Windows path of a program in the prefix as the real folder: drive C is the prefix's drive_c,
// every other drive its link in dosdevices.
std::string real_folder_in_prefix(const fs::path& prefix, const std::string& windows_path) {
    if (!has_drive_letter(windows_path)) return windows_path;
    const std::string drive = to_lower(windows_path.substr(0, 2));
    std::error_code ec;
    fs::path base = prefix / "dosdevices" / drive;
    if (drive == "c:" && fs::is_directory(prefix / "drive_c", ec)) base = prefix / "drive_c";
    return resolve_path(base.string() + windows_path.substr(2)).string();
}

void search_prefixes(const InstallSearch& search, Finds& finds) {
    for (const fs::path& folder : search.prefix_folders) {
        const auto in_it = [&folder](const fs::path& prefix) { return prefix.parent_path() == folder; };
        const auto count = std::count_if(search.wine_prefixes.begin(), search.wine_prefixes.end(), in_it);
        finds.note("Wine prefixes in " + folder.string(), count == 0 ? "none" : std::to_string(count));
    }
    const fs::path current = folder_key(wine_prefix());
    for (const fs::path& prefix : search.wine_prefixes) {
        if (finds.done()) return;
        const std::string place = "Wine prefix " + prefix.string();
        std::error_code ec;
        if (!fs::is_directory(prefix, ec)) {
            finds.note(place, "not there");
            continue;
        }
        // The current prefix's registry entry was the first place looked at.
        if (folder_key(prefix) != current) {
            int32_t size = 0;
            const std::string entry =
                registry_string_in(prefix, kHKeyLocalMachine, kGameRegistryKey, kGameRegistryValue, size);
            const std::string folder = names_a_folder(entry) ? real_folder_in_prefix(prefix, entry) : "";
            finds.note(place, entry_finding(entry, folder));
            if (names_a_folder(entry) && holds_game_executable(folder))
                finds.add({folder, InstallFoundBy::WinePrefix, (prefix / "system.reg").string()});
        }
        const std::string ea_folder = real_folder_in_prefix(prefix, kEaAppFolder);
        const bool ea_found = holds_game_executable(ea_folder);
        finds.note(place, ea_found ? "The Sims in " + ea_folder : std::string("no EA app copy of The Sims"));
        if (ea_found) finds.add({ea_folder, InstallFoundBy::EaAppFolder, prefix.string()});
    }
}

// The folders below `parent`, each a prefix, by name.
void add_subfolders(const fs::path& parent, InstallSearch& search) {
    search.prefix_folders.push_back(parent);
    std::vector<fs::path>& out = search.wine_prefixes;
    std::error_code ec;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (it->is_directory(type_ec)) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
        return iless(a.filename().string(), b.filename().string());
    });
    out.insert(out.end(), found.begin(), found.end());
}

#else

void search_prefixes(const InstallSearch&, Finds& finds) {
    const std::string program_files = program_files_folder();
    if (program_files.empty()) return;
    const std::string ea_folder = program_files + "\\EA Games\\The Sims Legacy";
    const bool ea_found = holds_game_executable(ea_folder);
    finds.note(ea_folder, ea_found ? "The Sims" : "no Sims.exe");
    if (ea_found) finds.add({ea_folder, InstallFoundBy::EaAppFolder, program_files});
}

#endif

std::vector<GameInstall> search_all(const InstallSearch& search, bool first_only,
                                    std::vector<PlaceLooked>* places = nullptr) {
    Finds finds(first_only, places);
    // The game's own entry comes first, but like every other place it counts only where the game is.
    const std::string entry = read_game_registry_entry();
    finds.note(registry_location(), entry_finding(entry, entry));
    if (names_a_folder(entry) && holds_game_executable(entry))
        finds.add({entry, InstallFoundBy::Registry, registry_location()});
    search_steam(search, finds);
    search_prefixes(search, finds);
    return finds.take();
}

}  // namespace

InstallSearch install_search() {
    InstallSearch search;
#ifdef _WIN32
    int32_t root = kHKeyCurrentUser;
    int32_t size = 1024;
    const std::string steam = GetRegistryString(root, "Software\\Valve\\Steam", "SteamPath", size);
    if (steam != kRegistryFailure && !steam.empty()) search.steam_roots.emplace_back(steam);
#else
    const fs::path home = environment("HOME");
    // A relative data home is to be ignored, as the XDG rules say.
    const std::string xdg_data = environment("XDG_DATA_HOME");
    const fs::path data_home =
        !xdg_data.empty() && xdg_data.front() == '/' ? fs::path(xdg_data) : home / ".local/share";
    search.steam_roots = {data_home / "Steam",
                          home / ".local/share/Steam",
                          home / ".steam/steam",
                          home / ".steam/root",
                          home / ".var/app/com.valvesoftware.Steam/.local/share/Steam",
                          home / ".var/app/com.valvesoftware.Steam/data/Steam",
                          home / "snap/steam/common/.local/share/Steam"};
    search.wine_prefixes.push_back(wine_prefix());
    add_subfolders(home / ".var/app/com.usebottles.bottles/data/bottles/bottles", search);
    add_subfolders(data_home / "bottles/bottles", search);
    if (data_home != home / ".local/share") add_subfolders(home / ".local/share/bottles/bottles", search);
    add_subfolders(home / "Games", search);
#endif
    return search;
}

bool holds_game_executable(const std::string& folder) {
    return !folder.empty() && file_exists(folder + "\\Sims.exe");
}

std::vector<GameInstall> find_game_installs(const InstallSearch& search) { return search_all(search, false); }

std::vector<GameInstall> find_game_installs() { return find_game_installs(install_search()); }

std::vector<PlaceLooked> places_looked(const InstallSearch& search) {
    std::vector<PlaceLooked> places;
    search_all(search, false, &places);
    return places;
}

std::optional<GameInstall> first_game_install(const InstallSearch& search, std::vector<PlaceLooked>* places) {
    std::vector<GameInstall> found = search_all(search, true, places);
    if (found.empty()) return std::nullopt;
    return found.front();
}

bool same_install(const std::string& a, const std::string& b) {
    return folder_key(resolve_path(a)) == folder_key(resolve_path(b));
}

std::string found_by_name(InstallFoundBy found_by) {
    switch (found_by) {
    case InstallFoundBy::Registry: return "registry";
    case InstallFoundBy::SteamLibrary: return "Steam library";
    case InstallFoundBy::WinePrefix: return "Wine prefix";
    case InstallFoundBy::EaAppFolder: break;
    }
    return "EA app folder";
}

}  // namespace fw
