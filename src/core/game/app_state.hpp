#pragma once
// The program-wide state besides the head-model lists (heads/head_models.hpp) and the error
// context (base/error_trap.hpp): one instance, living for the whole run.
#include "core/game/game.hpp"

namespace fw {

struct AppState {
    // The game the windows work on; no game until start-up settles it, or when none was found
    // (the main window's activation checks deal with that).
    Game game;
    // A game chosen for this run only (the program's --game or --demo): when known, the main
    // window takes it as the game after seeding the settings, and nothing stores it.
    Game run_game;
};

AppState& app_state();

}  // namespace fw
