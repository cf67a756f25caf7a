#include "cli/commands.hpp"

namespace fw::cli {

void add_game_commands(CLI::App& app) { (void)app; }

}  // namespace fw::cli
