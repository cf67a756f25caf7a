#pragma once
// The program-wide state besides the head-model lists (heads/head_models.hpp) and the error
// context (base/error_trap.hpp): one instance, living for the whole run.
#include <string>

namespace fw {

struct AppState {
    // The game's install folder as stored, normally without a trailing "\". May be empty or hold
    // the registry reader's failure text "ERROR"; the main window's activation checks deal with both.
    std::string game_path;
    // A game chosen for this run only (the program's --game or --demo): when set, the main window
    // takes it as the game path after seeding the settings, and nothing stores it.
    std::string run_game_path;
};

AppState& app_state();

}  // namespace fw
