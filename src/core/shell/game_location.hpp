#pragma once
// Where the game is: the stored "Sims Location", the registry entry the game's installer wrote,
// and the checks of the Set Path dialog ("Set The Sims Path") before it takes a location.
#include <optional>
#include <string>

#include "core/base/message_box.hpp"

namespace fw {

enum class GamePathSource { CommandLine, Setting, Registry, WinePrefix, None };

struct GamePathInUse {
    std::string path;  // the game path as stored (may be "ERROR" or empty)
    GamePathSource source = GamePathSource::None;
};

// The game path a command-line run uses: the given option when not empty, else the stored
// "Sims Location", else the registry's answer (the Windows registry, or the Wine prefix's
// elsewhere); "ERROR" with no source when none of them knows. Nothing is stored.
GamePathInUse game_path_in_use(const std::string& option);
// "command line", "setting", "registry", "Wine prefix" or "none".
std::string source_name(GamePathSource source);

// What the Set Path dialog shows as it opens: the registry's answer (possibly "ERROR") above,
// the stored location (empty when there is none) below.
struct SetPathContents {
    std::string registry;
    std::string location;
};
SetPathContents set_path_contents();

// "Use": the registry's answer becomes the location unless it is "ERROR" or empty; then the box
// to show is returned and the location stays as it was.
std::optional<BoxMessage> use_registry_path(const std::string& registry, std::string& location);

// "OK": a location holding "Sims.exe" (the text taken exactly as it stands, a trailing "\"
// included) becomes the game path and is stored as "Sims Location"; nothing is returned then and
// the dialog closes. Otherwise the box to show is returned and nothing changes.
std::optional<BoxMessage> confirm_location(const std::string& location);

}  // namespace fw
