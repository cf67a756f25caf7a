#pragma once
// Writes the files Steam keeps about its libraries (Valve's KeyValues text) and lays out a Steam
// home as a player's Linux desktop has it: Steam in ~/.local/share/Steam, The Sims Legacy
// Collection in a second library, run through Proton, whose prefix holds the saves.
#include <filesystem>
#include <string>
#include <vector>

#include "core/game/key_values.hpp"

namespace fw::build {

// The entries of `root` as KeyValues text, tab-indented as Steam writes it; "\" and """ escaped.
std::string key_values_text(const KeyValue& root);
// A KeyValues pair and block, for building trees.
KeyValue kv(std::string key, std::string value);
KeyValue kv_block(std::string key, std::vector<KeyValue> children);

// steamapps/libraryfolders.vdf listing the libraries, numbered from 0: blocks with "path" as
// today's clients write it, or, `old_form`, the numbered paths themselves.
std::string library_folders_vdf(const std::vector<std::string>& libraries, bool old_form = false);
// steamapps/appmanifest_<id>.acf of an installed app.
std::string app_manifest(const std::string& app_id, const std::string& name, const std::string& installdir);

struct SteamHome {
    std::filesystem::path home;     // $HOME
    std::filesystem::path root;     // ~/.local/share/Steam, the first library
    std::filesystem::path library;  // the second library, holding the game
    std::filesystem::path install;  // <library>/steamapps/common/The Sims Legacy Collection
    std::filesystem::path prefix;   // the game's Proton prefix
    std::filesystem::path saves;    // the Saved Games folder + Electronic Arts/The Sims 25 in it
};

// The places of a Steam home at `home` (made absolute), its second library at home/`library`.
SteamHome steam_home(const std::filesystem::path& home, const std::string& library = "SteamLibrary");
// Writes the root's libraryfolders.vdf (root, then the second library), the game's manifest in
// the second library, the install folder with "Sims.exe" and the prefix's user folder; neither
// the saves nor the install's other files.
void write_steam_home(const SteamHome& steam);

}  // namespace fw::build
