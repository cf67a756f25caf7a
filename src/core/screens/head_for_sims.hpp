#pragma once
// Giving sims whose head the game lacks a head the player picks, outside the editor: each sim is
// opened, changed and saved as the editor saves (its refusals, the read-only file, the file
// changed elsewhere, a backup when asked, the save lock), one sim at a time.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/sims/appearance.hpp"

namespace fw {

// The skin data code the head selector lists heads for ("malgt"), for the sim in this character
// file as the editor would ask it; the editor's refusal box instead when the sim cannot be edited.
struct HeadChoice {
    std::string skin_data;
    std::optional<BoxMessage> refusal;
};
HeadChoice head_choice_for(const std::string& character_file);

// Asked before a sim is saved with a head the game may not draw on it, with what does not fit:
// true saves it all the same.
using HeadMismatchQuestion = std::function<bool(const std::string& character_file,
                                                const std::vector<std::string>& mismatches)>;

// Gives the sims in these character files the head, each saved as the editor saves it; returns
// the report: one line for each sim, saved or why not.
BoxMessage give_head(const std::string& game_path, const std::vector<std::string>& character_files,
                     const Head& head, bool make_backup, const HeadMismatchQuestion& ask);

}  // namespace fw
