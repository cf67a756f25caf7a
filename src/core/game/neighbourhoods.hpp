#pragma once
// The main window's neighbourhood list and the character files of the chosen neighbourhood. The
// neighbourhoods lie in the game's saves folder (core/game/saves_folder.hpp): the install
// folder of a 2000-era game, the Saved Games folder of the Legacy Collection.
#include <string>
#include <vector>

#include "core/game/game.hpp"

namespace fw {

// The names of the entries matching the saves folder + "\Userdata*" (files included: the listing does
// not check that an entry is a folder), as the folder lists them; none for no game. Guarded
// (frmMain / msGetUserDataDirs, location 0).
std::vector<std::string> msGetUserDataDirs(const Game& game);

// The list line of one neighbourhood folder: "Neighborhood 01   (UserData)" for UserData itself,
// else the part after "UserData" as a number of at least two digits ("2" gives "02"; a part that
// is not a number is kept as it is), e.g. "Neighborhood 10   (UserData10)".
std::string neighbourhood_line(const std::string& folder);
// The lines of lstUserDataDir for the folders, sorted by their text without regard to case.
std::vector<std::string> msFillUserDataList(const std::vector<std::string>& folders);
// The folder a list line stands for: the text after the first "(UserData" (found without regard
// to case) from its "U" up to the next ")"; "" when the line has no "(UserData".
std::string neighbourhood_folder(const std::string& line);

// The saves folder + "\" + neighbourhood + "\characters\".
std::string characters_folder(const Game& game, const std::string& neighbourhood);
// The names of the files matching "user*.iff" in the neighbourhood's characters folder, in the
// folder's order; none when there is no such folder. The new files that killed saves left in
// the folder go first (remove_stale_replacements). Guarded (frmMain / msGetFileNames, 0).
std::vector<std::string> msGetFileNames(const Game& game, const std::string& neighbourhood);

}  // namespace fw
