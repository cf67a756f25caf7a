#pragma once
// Where the game is: the stored "Sims Location", the registry entry the game's installer wrote,
// and the checks the main window makes of it.
#include <string>

namespace fw {

enum class GamePathSource { CommandLine, Setting, Registry, None };

struct GamePathInUse {
    std::string path;        // the game path as stored (may be "ERROR" or empty)
    GamePathSource source = GamePathSource::None;
};

// The game path a command-line run uses: the given option when not empty, else the stored
// "Sims Location", else the registry's answer.
GamePathInUse game_path_in_use(const std::string& option);

}  // namespace fw
