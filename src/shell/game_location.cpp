#include "shell/game_location.hpp"

#include "shell/settings.hpp"

namespace fw {

// Provisional: the registry is read by the game-location work that replaces this file.
GamePathInUse game_path_in_use(const std::string& option) {
    if (!option.empty()) return {option, GamePathSource::CommandLine};
    const std::string stored = get_setting(kAppFacewright, kKeySimsLocation);
    if (!stored.empty()) return {stored, GamePathSource::Setting};
    return {"ERROR", GamePathSource::None};
}

}  // namespace fw
