#pragma once
// Whether the head a save would write is one the game can draw on the sim: a model among the
// game's head models for the sim's age and gender, and a skin the game has (in its skins folder or
// its archives), of whatever tone: the game draws any skin on a body of any tone. The empty model
// or skin is refused before this (check_controls); what this finds is asked about, never refused.
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/sims/appearance.hpp"
#include "core/game/damaged_archives.hpp"

namespace fw {

// What does not match, one sentence each; none when the head fits: a model made for another age
// or gender, a model or skin the game does not have. Only what the editor changed is questioned:
// a head the file already held on the body it already had is left alone, and a change of tone
// alone is no question. The game's catalogue is that of `game_path` ("" when there is no game:
// only the model's age and gender are looked at). Archives that cannot be read are skipped.
std::vector<std::string> head_mismatches(const std::string& game_path, const SimControls& as_opened,
                                         const SimControls& controls, ArchiveReading& archives);

// A quiet word for the editor, never a question: "The head's skin is light; the body is dark."
// when the skin's name tells a tone other than the body's; "" otherwise.
std::string tone_note(const SimControls& controls);

// "The game may not be able to draw this head:", the mismatches, "Save it all the same?", titled
// "Check the Head", Yes and No; No is the default, as Yes saves a head the game may not draw.
BoxMessage head_question(const std::vector<std::string>& mismatches);

}  // namespace fw
