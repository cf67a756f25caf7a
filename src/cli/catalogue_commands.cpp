#include "cli/commands.hpp"

namespace fw::cli {

void add_catalogue_commands(CLI::App& app) { (void)app; }

}  // namespace fw::cli
