#pragma once
// The game's two roots. The game path is the install folder (Sims.exe, GameData\Skins, the
// archives, Downloads); the neighbourhoods (UserData, UserData2, ...) lie in the saves folder:
//  - for a 2000-era install (The Sims and its expansion packs, the Complete Collection), the
//    install folder itself;
//  - for The Sims Legacy Collection, the user's Saved Games folder + "\Electronic Arts\The Sims 25",
//    where the game copies the install's UserData* folders when it first starts and plays from
//    then on. The install's own UserData* are its templates and are never used.
// An install is the Legacy Collection when
//  - it is the Steam app 3314060's folder: <library>/steamapps/common/<name>, with the library's
//    steamapps/appmanifest_3314060.acf naming <name> as its installdir; or
//  - its folder is named "The Sims Legacy", the EA app's folder (C:\Program Files\EA Games\...).
// Its Saved Games folder is, on Windows, the known folder FOLDERID_SavedGames; elsewhere the one
// of the Windows user in the Wine prefix that runs the game: the prefix that holds the install
// (a folder drive_c or dosdevices above it; a C: path lies in the current prefix), else, for a
// Steam install, the app's Proton prefix in the same library
// (<library>/steamapps/compatdata/3314060/pfx/drive_c/users/steamuser/Saved Games).
// A Legacy install found in no prefix keeps its neighbourhoods where a 2000-era one does.
//
// Every neighbourhood list, sim list, page, edit, backup name and export takes its folder from
// here; skins, archives, Downloads and the executable stay with the game path.
#include <string>

namespace fw {

enum class SavesPlace {
    Install,       // the install folder itself
    ProtonPrefix,  // Saved Games in the Steam app's Proton prefix
    WinePrefix,    // Saved Games in the Wine prefix that holds the install
    SavedGames,    // Windows' own Saved Games folder
};

struct SavesFolder {
    std::string path;  // the folder that holds the UserData* folders, as a game path
    SavesPlace place = SavesPlace::Install;
    std::string prefix;  // the Wine or Proton prefix, for ProtonPrefix and WinePrefix

    bool legacy() const { return place != SavesPlace::Install; }
};

// Below the Saved Games folder.
inline constexpr const char* kLegacySavesBelowSavedGames = "Electronic Arts\\The Sims 25";

// The saves folder of the install at `game_path`.
SavesFolder saves_folder(const std::string& game_path);

// True for a Legacy install whose saves folder does not exist yet: the game has never been
// started, and there are no neighbourhoods to list.
bool saves_not_made_yet(const SavesFolder& saves);

// How the saves folder was found, for display: "the install folder", "the Proton prefix <path>",
// "the Wine prefix <path>", "the Saved Games folder".
std::string saves_place_text(const SavesFolder& saves);

}  // namespace fw
