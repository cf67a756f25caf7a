#include "core/shell/startup.hpp"

#include "core/platform/game_files.hpp"
#include "core/platform/game_installs.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/program_folder.hpp"
#include "core/platform/registry.hpp"
#include "core/platform/saves_folder.hpp"
#include "core/platform/settings.hpp"
#include "core/shell/app_state.hpp"

namespace fw {

std::string title_caption() {
    return "Facewright - Version " + std::to_string(FACEWRIGHT_VERSION_MAJOR) + "." +
           std::to_string(FACEWRIGHT_VERSION_MINOR) + "." + std::to_string(FACEWRIGHT_VERSION_REVISION);
}

std::string main_caption() { return title_caption() + " - by Tamsworth"; }

StartupSettings seed_settings(const std::string& registry_answer) {
    if (get_setting(kAppFacewright, kKeyBackupSavedFile).empty())
        save_setting(kAppFacewright, kKeyBackupSavedFile, "1");
    if (get_setting(kAppFacewright, kKeySimsLocation).empty()) {
        save_setting(kAppFacewright, kKeySimsLocation, registry_answer);
    }
    StartupSettings settings;
    settings.backup_checked = leading_number(get_setting(kAppFacewright, kKeyBackupSavedFile)) == 1.0;
    settings.game_path = get_setting(kAppFacewright, kKeySimsLocation);
    return settings;
}

StartupSettings load_startup_settings() {
    StartupSettings settings = seed_settings(read_game_install_path());
    app_state().game_path = settings.game_path;
    return settings;
}

void create_head_preview_folder() { create_folder(program_folder() + "\\HeadPreview"); }

PathCheck check_game_path(const std::string& game_path) {
    PathCheck check;
    const std::string set_path_hint = "Please use the Set Path menu option to locate The Sims.";
    std::string message;
    if (game_path.empty()) {
        message = std::string("The path to The Sims was not found in the registry.") + kCrLf + set_path_hint;
    } else if (game_path == kRegistryFailure) {
        message = std::string("GetRegistryString failed on error.") + kCrLf +
                  "The path to The Sims can not be found." + kCrLf + set_path_hint;
    }
    if (!message.empty()) check.boxes.push_back({message, kBoxCritical, "Path to The Sims not found!"});
    check.game_found = file_exists(game_path + "\\sims.exe");
    if (!check.game_found) {
        check.boxes.push_back(
            {std::string("The file SIMS.EXE was not found in the path specified in the registry.") + kCrLf +
                 set_path_hint,
             kBoxCritical, "SIMS.EXE Not Found!"});
    } else if (std::optional<BoxMessage> box = saves_not_made_box(game_path)) {
        check.boxes.push_back(*box);
    }
    return check;
}

std::optional<BoxMessage> saves_not_made_box(const std::string& game_path) {
    const SavesFolder saves = saves_folder(game_path);
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
