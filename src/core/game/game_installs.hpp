#pragma once
// Where the game is installed, as far as this machine tells. The game's own registry entry comes
// first, as the game's installer wrote it; when it is missing the look-up goes on to the places
// where the game lives today, in this order:
//  1. the registry entry "InstallPath" (the Windows registry; elsewhere the registry of the Wine
//     prefix $WINEPREFIX, else ~/.wine);
//  2. the Steam libraries, for The Sims Legacy Collection (app 3314060): each Steam root in turn
//     (on Windows the one the registry names, HKCU\Software\Valve\Steam "SteamPath"; elsewhere
//     $XDG_DATA_HOME/Steam or ~/.local/share/Steam, ~/.steam/steam, ~/.steam/root, the Flatpak's
//     ~/.var/app/com.valvesoftware.Steam/.local/share/Steam and .../data/Steam, the Snap's
//     ~/snap/steam/common/.local/share/Steam), and in each root its libraries in the order
//     libraryfolders.vdf lists them, the root first;
//  3. the other Wine prefixes, in this order: $WINEPREFIX or ~/.wine, Bottles' bottles
//     (~/.var/app/com.usebottles.bottles/data/bottles/bottles/*, then $XDG_DATA_HOME/bottles/
//     bottles/* or ~/.local/share/bottles/bottles/*), Lutris' prefixes (~/Games/*), each set by
//     folder name; in each prefix its registry entry, then the EA app's folder
//     C:\Program Files\EA Games\The Sims Legacy (on Windows: that folder of Program Files).
// An install counts only when its folder holds the game's executable (Sims.exe, any case): an
// entry left behind by an install that is gone never hides one that is there. The registry's
// answer in 1 is then taken as it stands (its own spelling, its drive letter).
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fw {

enum class InstallFoundBy {
    Registry,      // the game's registry entry (Windows, or the current Wine prefix)
    SteamLibrary,  // a Steam library's app manifest
    WinePrefix,    // the registry entry of another Wine prefix (Bottles, Lutris, ...)
    EaAppFolder,   // the EA app's install folder
};

struct GameInstall {
    std::string path;  // a game path: the registry's text as it stands, else the real folder
    InstallFoundBy found_by = InstallFoundBy::Registry;
    std::string through;  // what it was found through, for display: a registry, a manifest, a prefix
};

// One place looked at and what was found there, in the player's words ("Steam library
// /mnt/games/SteamLibrary", "The Sims Legacy Collection is not installed there").
struct PlaceLooked {
    std::string place;
    std::string found;
};

// The places looked at after the registry entry; tests give their own.
struct InstallSearch {
    std::vector<std::filesystem::path> steam_roots;
    std::vector<std::filesystem::path> wine_prefixes;
    // The folders whose subfolders are prefixes (Bottles' and Lutris'), for the player to see
    // where the look-up looked even when they hold none.
    std::vector<std::filesystem::path> prefix_folders;
};

// The places of the order above for the current user ($HOME, $XDG_DATA_HOME, $WINEPREFIX).
InstallSearch install_search();

// Every install found, in the order above, each folder once.
// True when the folder holds the game's executable (Sims.exe, in any letter case); never for "".
bool holds_game_executable(const std::string& folder);
std::vector<GameInstall> find_game_installs(const InstallSearch& search);
std::vector<GameInstall> find_game_installs();
// The first install found, or nothing; `places`, when given, gets the places looked at on the way
// and what was found there (every place, when nothing was found).
std::optional<GameInstall> first_game_install(const InstallSearch& search,
                                              std::vector<PlaceLooked>* places = nullptr);

// Every place of the order above and what the look-up found there.
std::vector<PlaceLooked> places_looked(const InstallSearch& search);

// True when two game paths name one folder (other spellings, links, a trailing separator).
bool same_install(const std::string& a, const std::string& b);

// "registry", "Steam library", "Wine prefix" or "EA app folder".
std::string found_by_name(InstallFoundBy found_by);

}  // namespace fw
