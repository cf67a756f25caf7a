#pragma once
// Where the game is: the stored "Sims Location", the registry entry the game's installer wrote
// or the install the look-up found in its place, and the checks of the Set Path dialog ("Set The Sims Path")
// before it takes a location.
#include <optional>
#include <string>

#include "core/base/message_box.hpp"

namespace fw {

enum class GamePathSource { CommandLine, Setting, Registry, WinePrefix, SteamLibrary, EaAppFolder, None };

struct GamePathInUse {
    std::string path;  // the game path as stored (may be "ERROR" or empty)
    GamePathSource source = GamePathSource::None;
    std::string through;  // for a found install: the registry, manifest or prefix it was found in
};

// The game path a command-line run uses: the given option when not empty, else the stored
// "Sims Location" while it holds the game's executable, else the first install the look-up finds
// (core/game/game_installs.hpp: the registry entry, then Steam's libraries, then the other
// Wine prefixes), else a stored location other than "ERROR" as it stands; "ERROR" with no source
// when none of them knows. Nothing is stored.
GamePathInUse game_path_in_use(const std::string& option);
// "command line", "setting", "registry", "Wine prefix", "Steam library", "EA app folder" or "none".
std::string source_name(GamePathSource source);

// What the Set Path dialog shows as it opens: the look-up's answer (possibly "ERROR") above,
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
