#include "cli/commands.hpp"

namespace fw::cli {

void add_sim_commands(CLI::App& app) { (void)app; }

}  // namespace fw::cli
