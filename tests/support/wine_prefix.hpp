#pragma once
// Wine prefixes as Wine, Bottles and Lutris make them: a system.reg and a drive_c.
#include <filesystem>
#include <string>

namespace fw::build {

// Writes `prefix`/system.reg holding the game's "InstallPath" (a Windows path such as
// "C:\Games\The Sims"), escaped as Wine writes it; a 64-bit prefix keeps it in the Wow6432Node twin.
void write_wine_registry(const std::filesystem::path& prefix, const std::string& install_path,
                         bool win64 = true);

// The real folder of a C: path in the prefix, created with a "Sims.exe" in it.
std::filesystem::path write_game_in_prefix(const std::filesystem::path& prefix,
                                           const std::string& below_drive_c);

}  // namespace fw::build
