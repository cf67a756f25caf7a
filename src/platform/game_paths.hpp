#pragma once
// Game paths stay strings in the form the game's rules write them ("C:\Games\The Sims" +
// "\GameData\Skins\"). This layer turns such a string into a real path, matching each component
// without regard to case. Every file access of the core goes through it (see game_files.hpp).
#include <filesystem>
#include <string>

namespace fw {

// The real path for a game path string: "\" and "/" both separate; each component is matched
// without regard to case (exact match first, then a scan of the folder); a drive letter "C:"
// maps through the Wine prefix's dosdevices folder. Components that do not exist yet (a file
// about to be written) are kept as written.
std::filesystem::path resolve_path(const std::string& game_path);

// True for a path that begins with a drive letter ("C:"), which resolves through the Wine prefix.
bool has_drive_letter(const std::string& path);

// The Wine prefix: $WINEPREFIX, else ~/.wine.
std::filesystem::path wine_prefix();

// A path the program built, as a message or an output shows it to the user.
std::string display_path(const std::string& path);

}  // namespace fw
