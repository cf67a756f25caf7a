// where: the game in use and how it was found, its saves folder, the other installs found, the
// program folder and the settings files.
#include <iostream>

#include "cli/commands.hpp"
#include "cli/game_folder.hpp"
#include "core/platform/game_files.hpp"
#include "core/game/game_installs.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"
#include "core/game/registry.hpp"
#include "core/game/saves_folder.hpp"
#include "core/platform/settings.hpp"
#include "core/platform/shown_name.hpp"
#include "core/game/game_location.hpp"
#include "core/screens/startup.hpp"

namespace fw::cli {

namespace {

using nlohmann::json;

// A path the program built, as the player's file manager shows it.
std::string path_text(const std::string& path) { return shown_name(display_path(path)); }

std::string source_text(const Game& in_use) {
    const std::string how = source_name(in_use.found_by());
    return in_use.through().empty() ? how : how + ": " + path_text(in_use.through());
}

}  // namespace

int run_where(const std::string& option, bool as_json) {
    const Game in_use = game_in_use(game_option(option));
    const bool configured = in_use.known();
    // A path as the player sees it: "ERROR" when the look-up found no game.
    const std::string game_path = in_use.stored_text();
    const bool found = check_game_path(in_use).game_found;
    const SavesFolder& saves = in_use.saves();
    const std::optional<BoxMessage> not_started = found ? saves_not_made_box(in_use) : std::nullopt;
    std::vector<GameInstall> others;
    for (GameInstall& install : find_game_installs()) {
        if (!configured || !same_install(install.path, in_use.install())) others.push_back(std::move(install));
    }
    const std::string registry = read_game_registry_entry();
    const std::string executable = path_text(game_path + "\\sims.exe");

    if (as_json) {
        json other_list = json::array();
        for (const GameInstall& install : others) {
            other_list.push_back({{"path", path_text(install.path)},
                                  {"found_by", found_by_name(install.found_by)},
                                  {"through", path_text(install.through)}});
        }
        json out;
        out["game"] = {{"path", shown_name(game_path)},
                       {"source", source_name(in_use.found_by())},
                       {"through", in_use.through().empty() ? json(nullptr) : json(path_text(in_use.through()))},
                       {"executable", executable},
                       {"executable_found", found}};
        out["saves"] = {{"path", path_text(configured ? saves.path : game_path)},
                        {"place", saves_place_text(saves)},
                        {"legacy", saves.legacy()},
                        {"exists", configured && folder_exists(saves.path)},
                        {"message", not_started ? json(message_text(not_started->text)) : json(nullptr)}};
        out["other_installs"] = other_list;
        out["registry"] = {{"value", shown_name(registry)}, {"location", path_text(registry_location())}};
        out["demo_game"] = configured ? json(nullptr) : json(path_text(demo_game_folder()));
        out["program_folder"] = path_text(program_folder());
        out["settings"] =
            json::array({shown_name(settings_file(kAppFacewright)), shown_name(settings_file(kAppVestrel))});
        print_json(out);
        return 0;
    }
    std::cout << "Game path: " << shown_path(game_path) << " (" << escaped(source_text(in_use)) << ")\n";
    if (!configured) {
        std::cout << "No game configured: the other commands use the demo game in "
                  << shown_path(display_path(demo_game_folder())) << "\n";
    }
    std::cout << "Game executable: " << (found ? "found" : "not found") << " (" << escaped(executable)
              << ")\n";
    if (configured) {
        std::cout << "Saves folder: " << shown_path(display_path(saves.path)) << " (" << escaped(saves_place_text(saves))
                  << ")\n";
    }
    if (not_started) std::cout << message_text(not_started->text) << "\n";
    for (const GameInstall& install : others) {
        std::cout << "Also found: " << shown_path(display_path(install.path)) << " (" << found_by_name(install.found_by)
                  << ": " << shown_path(display_path(install.through)) << ")\n";
    }
    std::cout << "Registry: " << shown_path(registry) << " (" << shown_path(display_path(registry_location()))
              << ")\n";
    std::cout << "Program folder: " << shown_path(display_path(program_folder())) << "\n";
    std::cout << "Settings: " << shown_path(settings_file(kAppFacewright)) << "\n";
    std::cout << "Settings: " << shown_path(settings_file(kAppVestrel)) << "\n";
    return 0;
}

}  // namespace fw::cli
