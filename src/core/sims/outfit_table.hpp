#pragma once
// The default outfits and hands a sim gets when a save changes its age group, gender or tone:
// one row per combination, sixteen entries each.
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/str_list.hpp"
#include "core/sims/appearance.hpp"

namespace fw {

// The entries a row fills, in the order they are written.
inline constexpr std::array<size_t, 16> kOutfitEntries = {2,  16, 17, 28, 18, 19, 20, 21,
                                                          22, 23, 29, 30, 31, 32, 33, 34};
// The appearance list must reach this entry for a row to be written.
inline constexpr size_t kOutfitLastEntry = 34;

// The row for a body: (entry, value) pairs in writing order.
std::vector<std::pair<size_t, std::string>> outfit_row(bool adult, bool male, Tone tone);

// Reads entries 1, 13 and 15 and overwrites the sixteen outfit and hand entries with the row
// for that body. A tone other than the three codes has no row: nothing changes. Fails (before
// writing any entry) when the list is too short for the row.
void apply_outfit_table(STRList& appearance);

}  // namespace fw
