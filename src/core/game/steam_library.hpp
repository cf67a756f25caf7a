#pragma once
// Steam's libraries as Steam itself records them. A Steam root (where the client lives) is a
// library and lists the others in steamapps/libraryfolders.vdf; each library keeps one app
// manifest per installed app (steamapps/appmanifest_<id>.acf), whose "installdir" names the
// app's folder under steamapps/common, and, on Linux, the app's Proton prefix under
// steamapps/compatdata/<id>/pfx. Libraries made by old clients spell the folder "SteamApps".
// Nothing here fails: a file that is missing or cannot be read counts as absent.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// The Sims Legacy Collection's Steam app id.
inline constexpr const char* kLegacyAppId = "3314060";

// The libraries of a Steam root: the root itself first, then each library folder that
// libraryfolders.vdf lists ("path" of each numbered block, or the numbered value itself in the
// file's old form), in the file's order, each once.
std::vector<std::filesystem::path> steam_libraries(const std::filesystem::path& root);

// The app's install folder in a library: steamapps/common/<installdir of its manifest>; nothing
// when the library holds no manifest for the app, or its installdir is not a plain folder name.
// The folder itself may be missing (an install Steam has not finished).
std::optional<std::filesystem::path> steam_app_folder(const std::filesystem::path& library,
                                                      const std::string& app_id);

// The library whose app folder `install` (a real path) is, by its place (<library>/steamapps/
// common/<name>) and the library's manifest for the app naming that folder; nothing otherwise.
std::optional<std::filesystem::path> steam_library_of(const std::filesystem::path& install,
                                                      const std::string& app_id);

// The Proton prefix Steam runs the app in: <library>/steamapps/compatdata/<id>/pfx.
std::filesystem::path proton_prefix(const std::filesystem::path& library, const std::string& app_id);

// A small text file whole (at most 1 MiB, Steam's and Wine's own files are far smaller), or
// nothing when it cannot be read or is larger.
std::optional<std::string> read_small_text_file(const std::filesystem::path& path);

// `folder` / `name` in the spelling the folder holds it (letters without regard to case), else as
// written.
std::filesystem::path entry_any_case(const std::filesystem::path& folder, const std::string& name);

}  // namespace fw
