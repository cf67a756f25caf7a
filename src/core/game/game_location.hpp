#pragma once
// Where the game is: the stored "Sims Location", the registry entry the game's installer wrote
// or the install the look-up found in its place, and the checks of the Set Path dialog ("Set The Sims Path")
// before it takes a location.
#include <optional>
#include <string>

#include "core/base/message_box.hpp"
#include "core/game/game.hpp"

namespace fw {

// The game a command-line run uses: the given option when not empty, else the stored
// "Sims Location" while it holds the game's executable, else the first install the look-up finds
// (core/game/game_installs.hpp: the registry entry, then Steam's libraries, then the other
// Wine prefixes), else a stored location as it stands; no game when none of them knows. Nothing
// is stored.
Game game_in_use(const std::string& option);

// What the Set Path dialog shows as it opens: the look-up's answer above (its stored_text, so
// "ERROR" when it found none), the stored location (empty when there is none) below.
struct SetPathContents {
    Game registry;
    std::string location;
};
SetPathContents set_path_contents();

// "Use": the look-up's game becomes the location unless it found none; then the box to show is
// returned and the location stays as it was.
std::optional<BoxMessage> use_registry_path(const Game& registry, std::string& location);

// "OK": a location holding "Sims.exe" (the text taken exactly as it stands, a trailing "\"
// included) becomes the game path and is stored as "Sims Location"; nothing is returned then and
// the dialog closes. Otherwise the box to show is returned and nothing changes.
std::optional<BoxMessage> confirm_location(const std::string& location);

}  // namespace fw
