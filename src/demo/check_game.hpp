#pragma once
// A small game made to try the game check on: a healthy one, where the check finds nothing, or a
// broken one that holds each kind of fault the check finds once, beside the healthy files.
#include <string>
#include <vector>

namespace fw::build {

// What the broken game plants, and the sims each fault touches (by name), for the tests.
struct PlantedFault {
    const char* kind;
    std::vector<std::string> sims;
};
const std::vector<PlantedFault>& planted_faults();

// Writes the game into `folder` (created when missing): Sims.exe, GameData\Skins with a head, a
// body and hands, and one neighbourhood whose sims wear them; with `broken`, the faults too.
void write_check_game(const std::string& folder, bool broken);

}  // namespace fw::build
