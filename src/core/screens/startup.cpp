#include "core/screens/startup.hpp"

#include "core/platform/game_files.hpp"
#include "core/game/game_installs.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/program_folder.hpp"
#include "core/game/saves_folder.hpp"
#include "core/platform/settings.hpp"
#include "core/game/app_state.hpp"
#include "core/game/game_location.hpp"
#include "core/platform/on_off_settings.hpp"

namespace fw {

std::string title_caption() {
    return "Facewright - Version " + std::to_string(FACEWRIGHT_VERSION_MAJOR) + "." +
           std::to_string(FACEWRIGHT_VERSION_MINOR) + "." + std::to_string(FACEWRIGHT_VERSION_REVISION);
}

std::string main_caption() { return title_caption() + " - by Tamsworth"; }

StartupSettings seed_settings(const Game& run_game, const std::function<Game()>& look_up) {
    seed_setting(kAppFacewright, kKeyBackupSavedFile, "1");
    StartupSettings settings;
    settings.backup_checked = backup_setting_on();
    if (run_game.known()) {
        settings.game = run_game;
        return settings;
    }
    settings.game = stored_game();
    if (holds_game_executable(settings.game.install())) return settings;
    // One start before the game was installed (or its drive mounted) must not keep it unfound.
    Game found = look_up();
    if (found.known() || settings.game.stored_text().empty()) {
        store_game(found);
        settings.game = std::move(found);
    }
    return settings;
}

StartupSettings load_startup_settings() {
    StartupSettings settings = seed_settings(app_state().run_game, [] { return look_up_game(); });
    app_state().game = settings.game;
    return settings;
}

void create_head_preview_folder() { create_folder(program_folder() + "\\HeadPreview"); }

PathCheck check_game_path(const Game& game) {
    const std::string& game_path = game.install();
    PathCheck check;
    const std::string set_path_hint = "Please use the Set Path menu option to locate The Sims.";
    std::string message;
    if (!game.known() && !game.looked_up()) {
        message = std::string("The path to The Sims was not found in the registry.") + kCrLf + set_path_hint;
    } else if (!game.known()) {
        message = std::string("GetRegistryString failed on error.") + kCrLf +
                  "The path to The Sims can not be found." + kCrLf + set_path_hint;
    }
    if (!message.empty()) check.boxes.push_back({message, kBoxCritical, "Path to The Sims not found!"});
    check.game_found = game.known() && file_exists(game_path + "\\sims.exe");
    if (!check.game_found) {
        check.boxes.push_back(
            {std::string("The file SIMS.EXE was not found in the path specified in the registry.") + kCrLf +
                 set_path_hint,
             kBoxCritical, "SIMS.EXE Not Found!"});
    } else if (std::optional<BoxMessage> box = saves_not_made_box(game)) {
        check.boxes.push_back(*box);
    }
    return check;
}

void add_search_details(PathCheck& check, const Game& game, const InstallSearch& search) {
    constexpr size_t kMostPlaces = 40;  // a Steam list may name thousands of libraries
    std::string details = "Where Facewright looked for The Sims, in this order:\n";
    const std::vector<PlaceLooked> places = places_looked(search);
    for (size_t k = 0; k < places.size() && k < kMostPlaces; ++k)
        details += "- " + places[k].place + ": " + places[k].found + "\n";
    if (places.size() > kMostPlaces)
        details += "- and " + std::to_string(places.size() - kMostPlaces) + " more places\n";
    const std::string stored = get_setting(kAppFacewright, kKeySimsLocation);
    details += "The stored location (Sims Location): " + (stored.empty() ? "none" : stored) + "\n";
    const std::string in_use = game.stored_text();
    details += "The game path in use: " + (in_use.empty() ? "none" : in_use);
    if (game.known()) details += ", with no " + display_path(game.install() + "\\sims.exe");
    for (BoxMessage& box : check.boxes) {
        if (box.style == kBoxCritical) box.details = details;
    }
}

std::optional<BoxMessage> saves_not_made_box(const Game& game) {
    const SavesFolder& saves = game.saves();
    if (!saves_not_made_yet(saves)) return std::nullopt;
    const std::string where =
        std::string("The Sims keeps its neighborhoods in:") + kCrLf + display_path(saves.path);
    return BoxMessage{where + kCrLf +
                          "The game makes that folder when it is first started. Please start The Sims once, "
                          "then come back to Facewright.",
                      kBoxInformation, "Start The Sims Once"};
}

std::string last_neighbourhood_line(const std::vector<std::string>& lines) {
    const std::string stored = get_setting(kAppVestrel, kKeyLastNeighborhood);
    if (stored.empty()) return "";
    for (const std::string& line : lines) {
        if (iequals(line, stored)) return line;
    }
    return "";
}

bool asks_before_closing(int unload_mode) {
    return unload_mode != kUnloadAppWindows && unload_mode != kUnloadTaskManager;
}

BoxMessage exit_question() { return {"Exit this program?", kBoxQuestion, "Confirm Action"}; }

}  // namespace fw
