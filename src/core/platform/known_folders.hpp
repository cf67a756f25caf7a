#pragma once
// Windows' known folders, asked of the system: users can move them, so they are never built from
// the profile's path.
#ifdef _WIN32
#include <string>

namespace fw {

// The user's "Saved Games" folder (FOLDERID_SavedGames), or "" when the system has none.
std::string saved_games_folder();
// The "Program Files" folder (FOLDERID_ProgramFiles), or "".
std::string program_files_folder();

}  // namespace fw
#endif
