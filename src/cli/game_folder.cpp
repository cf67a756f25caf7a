#include "cli/game_folder.hpp"

#include <iostream>

#include "cli/commands.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"
#include "core/game/game_location.hpp"
#include "demo/demo_game.hpp"

namespace fw::cli {

std::string& game_before_command() {
    static std::string game;
    return game;
}

std::string game_option(const std::string& after_command) {
    return after_command.empty() ? game_before_command() : after_command;
}

std::string demo_game_folder() { return build::demo_game_folder(); }

std::string game_folder(const std::string& option, bool as_json) {
    const GamePathInUse in_use = game_path_in_use(game_option(option));
    if (in_use.source == GamePathSource::None) {
        const std::string demo = build::ensure_demo_game();
        std::cerr << "No game configured: using the demo game in " << shown_path(display_path(demo)) << "\n";
        return demo;
    }
    const std::string& path = in_use.path;
    if (path.empty() || path == "ERROR" || !folder_exists(path)) {
        report_error("No game folder found at " + shown_path(path) + "; give one with --game PATH.", as_json);
        return "";
    }
    return path;
}

}  // namespace fw::cli
