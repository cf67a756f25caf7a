#pragma once
#include <string>

namespace fw::cli {

// The game folder a command works on: --game when given, else the stored "Sims Location", else
// the registry. When none of them names a game, the bundled demo game in the program folder is
// used (written on first use), so the tool works out of the box. "" after reporting that the
// named folder holds no game.
std::string game_folder(const std::string& option, bool as_json);
// The folder of the bundled demo game: program folder + "\DemoGame".
std::string demo_game_folder();

}  // namespace fw::cli
