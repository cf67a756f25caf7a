#pragma once
// What the game check's window shows of a check: its findings grouped by severity, a line for
// each finding and each sim, the head to draw, and the boxes of a fix and of an undo.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/sims/game_check.hpp"

namespace fw {

// The findings of one severity, by their place in the check's list.
struct FindingGroup {
    Severity severity = Severity::Cosmetic;
    std::string caption;  // "Crash (2)"
    std::vector<size_t> findings;
};

// The groups of the severities found, the most serious first; a finding keeps its place in the
// check's order inside its group.
std::vector<FindingGroup> group_findings(const GameCheck& check);

// The line above the findings once a check has ended: how many it found, or that it was stopped.
std::string check_summary(const GameCheck& check);

// A finding in one line: the first sentence of its explanation; with its severity before it, for
// a line that stands alone.
std::string finding_line(const Finding& finding);
std::string finding_caption(const Finding& finding);

// A file's line under a finding: the path as the player's system shows it.
std::string file_caption(const std::string& file);

// A sim's line under a finding: its name, its neighbourhood, its file and what it needs.
std::string sim_caption(const TouchedSim& sim);

// True for a finding of a head that is missing, worn by sims: the player may give them another.
bool may_choose_head(const Finding& finding);

// The character files of the sims a finding touches, each once, in the finding's order.
std::vector<std::string> wearers(const Finding& finding);

// Asked when a head is chosen for one of several sims that wear a missing one: Yes gives it to all
// of them, No to this sim alone, Cancel to none.
BoxMessage head_for_whom(const TouchedSim& sim, size_t wearers);

// The head model and skin to draw for a finding; nothing when it names no model.
struct ShownHead {
    std::string model;
    std::string skin;
};
std::optional<ShownHead> head_to_show(const Finding& finding);

// The question before a fix, saying what it will do and that it can be undone.
BoxMessage fix_question(const Finding& finding);
// Makes the finding's fix, as one run of fixes, and says how it went.
BoxMessage apply_fix_box(const std::string& game_path, const Finding& finding);

// The question before "Undo Last Fixes", and the undo's report.
BoxMessage undo_question();
BoxMessage undo_fixes_box(const std::string& game_path);

}  // namespace fw
