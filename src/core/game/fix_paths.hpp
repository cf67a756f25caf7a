#pragma once
// Where a fix of the game may touch a file: only inside the game's own folders, never through a
// link, never by climbing out with "..". Paths from a fix and paths read back from a record of
// fixes pass the same test.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// A file inside one of the game's folders: which folder, and the path below it ("\" between parts).
struct PlacedPath {
    size_t folder = 0;
    std::string below;
};

// The place of a game path that begins with one of the folders (without regard to case) and goes
// on below it through plain names only: no empty part, ".", "..", drive colon or control
// character, and no part that exists as a link. Nothing when it is not such a path.
std::optional<PlacedPath> place_in_game(const std::vector<std::string>& folders, const std::string& path);

// The game path of a place, when the place is one place_in_game accepts.
std::optional<std::string> game_path_of(const std::vector<std::string>& folders, const PlacedPath& place);

}  // namespace fw
