#include "core/game/game.hpp"

#include <gtest/gtest.h>

#include "core/game/registry.hpp"
#include "core/platform/settings.hpp"
#include "support/temp_dir.hpp"
#include "support/wine_prefix.hpp"

namespace fs = std::filesystem;

namespace fw {
namespace {

// No game is stored as the registry reader's "ERROR" after a look-up, as nothing before one, and
// says where the look-up looked.
TEST(Game, NoGameCarriesWhereTheLookUpLooked) {
    build::TempDir home;
    const build::ScopedEnv home_env("HOME", home.str());
    const build::ScopedEnv prefix_env("WINEPREFIX", home.str() + "/.wine");
    InstallSearch search;
    search.steam_roots = {home.path() / ".local/share/Steam"};
    const Game none = look_up_game(search);
    EXPECT_FALSE(none.known());
    EXPECT_EQ(none.stored_text(), "ERROR");
    ASSERT_EQ(none.places_looked().size(), 2u);
    EXPECT_EQ(none.places_looked()[0].place, home.str() + "/.wine/system.reg");
    EXPECT_EQ(none.places_looked()[0].found, "no entry for The Sims (InstallPath)");
    EXPECT_EQ(none.places_looked()[1].place, "Steam " + home.str() + "/.local/share/Steam");

    const std::pair<Game, std::string> games[] = {
        {none, "ERROR"}, {Game(), ""}, {Game::at("C:\\Sims", GamePathSource::Registry), "C:\\Sims"}};
    for (const auto& [game, stored] : games) {
        store_game(game);
        EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), stored);
        const Game back = stored_game();
        EXPECT_EQ(back.stored_text(), stored);
        EXPECT_EQ(back.known(), game.known());
    }
    EXPECT_FALSE(Game::at("", GamePathSource::CommandLine).known());
    save_setting(kAppFacewright, kKeySimsLocation, "");
}

// A 2000-era install keeps its neighbourhoods in itself; the EA app's Legacy copy in the Saved
// Games of the prefix's user, whose folder the game makes on its first start: until then each
// asking looks again, so that a value made before that start finds it after.
TEST(Game, RootsOfTheInstallAndItsSaves) {
    build::TempDir prefix;
    const build::ScopedEnv prefix_env("WINEPREFIX", prefix.str());
    const build::ScopedEnv user_env("USER", "alice");
    const std::string classic = build::write_game_in_prefix(prefix.path(), "Games/The Sims").string();
    const Game old = Game::at(classic, GamePathSource::Setting);
    EXPECT_EQ(old.neighbourhoods_root(), classic);
    EXPECT_EQ(old.install_real_path(), classic);
    EXPECT_EQ(old.saves_real_path(), classic);

    const std::string legacy =
        build::write_game_in_prefix(prefix.path(), "Program Files/EA Games/The Sims Legacy").string();
    fs::create_directories(prefix.path() / "drive_c/users/alice");
    const Game game = Game::at(legacy, GamePathSource::EaAppFolder);
    const std::string below = "/Saved Games/Electronic Arts/The Sims 25";
    EXPECT_EQ(game.neighbourhoods_root(), prefix.str() + "/drive_c/users/alice" + below);
    fs::create_directories(prefix.str() + "/drive_c/users/bob" + below);
    const Game copy = game;
    EXPECT_EQ(copy.neighbourhoods_root(), prefix.str() + "/drive_c/users/bob" + below);
    EXPECT_EQ(game.saves_real_path(), prefix.str() + "/drive_c/users/bob" + below);
    EXPECT_EQ(game.saves().place, SavesPlace::WinePrefix);
}

}  // namespace
}  // namespace fw
