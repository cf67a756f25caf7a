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

Game chosen_game(const std::string& option, bool as_json) {
    const Game in_use = game_in_use(game_option(option));
    if (!in_use.known()) {
        const std::string demo = build::ensure_demo_game();
        std::cerr << "No game configured: using the demo game in " << shown_path(display_path(demo)) << "\n";
        return Game::at(demo, GamePathSource::Demo);
    }
    if (!folder_exists(in_use.install())) {
        report_error("No game folder found at " + shown_path(in_use.install()) + "; give one with --game PATH.",
                     as_json);
        return Game();
    }
    return in_use;
}

std::string game_folder(const std::string& option, bool as_json) { return chosen_game(option, as_json).install(); }

}  // namespace fw::cli
