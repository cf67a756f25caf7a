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

// The real path of a game path with its links followed, absolute and without "." or "..": one
// folder reached through a Wine drive letter or through its real folder gives one text.
std::string followed_path(const std::string& game_path);

// True for a path that begins with a drive letter ("C:"), which resolves through the Wine prefix.
bool has_drive_letter(const std::string& path);

// The Wine prefix: $WINEPREFIX, else ~/.wine.
std::filesystem::path wine_prefix();

// A path the program built, as every message and output shows it to the user: on a system whose
// separator is "/", the real path the path layer resolves it to (the real letter case of the
// parts that exist, "/" between all parts); on Windows the path as built.
std::string display_path(const std::string& path);

}  // namespace fw
