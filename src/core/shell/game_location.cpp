#include "core/shell/game_location.hpp"

#include "core/platform/game_files.hpp"
#include "core/platform/game_installs.hpp"
#include "core/platform/registry.hpp"
#include "core/platform/settings.hpp"
#include "core/shell/app_state.hpp"

namespace fw {

GamePathInUse game_path_in_use(const std::string& option) {
    if (!option.empty()) return {option, GamePathSource::CommandLine};
    const std::string stored = get_setting(kAppFacewright, kKeySimsLocation);
    if (!stored.empty()) return {stored, GamePathSource::Setting};
    const std::string registry = read_game_install_path();
    if (registry == kRegistryFailure) return {registry, GamePathSource::None};
#ifdef _WIN32
    return {registry, GamePathSource::Registry};
#else
    return {registry, GamePathSource::WinePrefix};
#endif
}

std::string source_name(GamePathSource source) {
    switch (source) {
    case GamePathSource::CommandLine: return "command line";
    case GamePathSource::Setting: return "setting";
    case GamePathSource::Registry: return "registry";
    case GamePathSource::WinePrefix: return "Wine prefix";
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
