#pragma once
#include <string>

#include "core/game/game.hpp"

namespace fw::cli {

// What a command's --game option says: where the game is taken from without it (game_folder).
inline constexpr const char* kGameOptionHelp =
    "The game's folder (default: the stored \"Sims Location\", then the registry or an install found in "
    "its place, else the demo game)";

// The game folder a command works on: the --game option (game_option) when given, else the
// stored "Sims Location", else the registry. When none of them names a game, the bundled demo
// game in the program folder is used (written on first use), so the tool works out of the box.
// No game after reporting that the named folder holds no game.
Game chosen_game(const std::string& option, bool as_json);
// The chosen game's install path, "" after reporting.
std::string game_folder(const std::string& option, bool as_json);
// "--game PATH" given before the command (facewright-cli --game DIR sims UserData).
std::string& game_before_command();
// The game option a command uses: the one given after the command, else the one before it.
std::string game_option(const std::string& after_command);
// The folder of the bundled demo game: program folder + "\DemoGame".
std::string demo_game_folder();

}  // namespace fw::cli
