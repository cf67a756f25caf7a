#include "core/game/game_location.hpp"

#include "core/platform/game_files.hpp"
#include "core/game/game_installs.hpp"
#include "core/game/registry.hpp"
#include "core/platform/settings.hpp"
#include "core/game/app_state.hpp"

namespace fw {

GamePathInUse game_path_in_use(const std::string& option) {
    if (!option.empty()) return {option, GamePathSource::CommandLine, ""};
    const std::string stored = get_setting(kAppFacewright, kKeySimsLocation);
    if (holds_game_executable(stored)) return {stored, GamePathSource::Setting, ""};
    const GameInstall found = first_game_install(install_search());
    if (found.path == kRegistryFailure) {
        // A stored location whose drive is not there yet still names the player's game.
        if (!stored.empty() && stored != kRegistryFailure) return {stored, GamePathSource::Setting, ""};
        return {found.path, GamePathSource::None, ""};
    }
    GamePathSource source = GamePathSource::WinePrefix;
    switch (found.found_by) {
    case InstallFoundBy::Registry:
#ifdef _WIN32
        source = GamePathSource::Registry;
#endif
        break;
    case InstallFoundBy::WinePrefix: break;
    case InstallFoundBy::SteamLibrary: source = GamePathSource::SteamLibrary; break;
    case InstallFoundBy::EaAppFolder: source = GamePathSource::EaAppFolder; break;
    }
    return {found.path, source, found.through};
}

std::string source_name(GamePathSource source) {
    switch (source) {
    case GamePathSource::CommandLine: return "command line";
    case GamePathSource::Setting: return "setting";
    case GamePathSource::Registry: return "registry";
    case GamePathSource::WinePrefix: return "Wine prefix";
    case GamePathSource::SteamLibrary: return "Steam library";
    case GamePathSource::EaAppFolder: return "EA app folder";
    case GamePathSource::None: break;
    }
    return "none";
}

SetPathContents set_path_contents() {
    return {read_game_install_path(), get_setting(kAppFacewright, kKeySimsLocation)};
}

std::optional<BoxMessage> use_registry_path(const std::string& registry, std::string& location) {
    if (registry == kRegistryFailure || registry.empty()) {
        return BoxMessage{"Registry value invalid. Please find the path manually.", kBoxExclamation,
                          "Path Invalid"};
    }
    location = registry;
    return std::nullopt;
}

std::optional<BoxMessage> confirm_location(const std::string& location) {
    if (!file_exists(location + "\\Sims.exe")) {
        return BoxMessage{std::string("The Sims was not found in:") + kCrLf + location + kCrLf +
                              "The selected location was invalid",
                          kBoxExclamation, "Selected Location Invalid"};
    }
    app_state().game_path = location;
    save_setting(kAppFacewright, kKeySimsLocation, location);
    return std::nullopt;
}

}  // namespace fw
