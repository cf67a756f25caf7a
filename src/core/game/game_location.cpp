#include "core/game/game_location.hpp"

#include "core/platform/game_files.hpp"
#include "core/game/game_installs.hpp"
#include "core/platform/settings.hpp"
#include "core/game/app_state.hpp"

namespace fw {

Game game_in_use(const std::string& option) {
    if (!option.empty()) return Game::at(option, GamePathSource::CommandLine);
    const Game stored = stored_game();
    if (holds_game_executable(stored.install())) return stored;
    const Game found = look_up_game();
    // A stored location whose drive is not there yet still names the player's game.
    if (!found.known() && stored.known()) return stored;
    return found;
}

SetPathContents set_path_contents() {
    return {look_up_game(), get_setting(kAppFacewright, kKeySimsLocation)};
}

std::optional<BoxMessage> use_registry_path(const Game& registry, std::string& location) {
    if (!registry.known()) {
        return BoxMessage{"Registry value invalid. Please find the path manually.", kBoxExclamation,
                          "Path Invalid"};
    }
    location = registry.install();
    return std::nullopt;
}

std::optional<BoxMessage> confirm_location(const std::string& location) {
    if (!file_exists(location + "\\Sims.exe")) {
        return BoxMessage{std::string("The Sims was not found in:") + kCrLf + location + kCrLf +
                              "The selected location was invalid",
                          kBoxExclamation, "Selected Location Invalid"};
    }
    app_state().game = Game::at(location, GamePathSource::Setting);
    store_game(app_state().game);
    return std::nullopt;
}

}  // namespace fw
