#include "core/game/app_state.hpp"

#include <gtest/gtest.h>

namespace {

// One window chooses the game and the next works on it: both reach the one state of the run.
TEST(AppState, IsOneStateForTheWholeRun) {
    fw::app_state().run_game = fw::Game::at("C:\\Sims", fw::GamePathSource::CommandLine);
    EXPECT_EQ(fw::app_state().run_game.install(), "C:\\Sims");
    fw::app_state().run_game = fw::Game();
}

}  // namespace
