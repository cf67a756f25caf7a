#include "core/screens/check_view.hpp"

#include <algorithm>

#include "core/platform/game_paths.hpp"

namespace fw {

namespace {

constexpr Severity kSeverities[] = {Severity::Crash, Severity::BlankSim, Severity::Ignored, Severity::Cosmetic};

std::string capitalised(std::string words) {
    if (!words.empty() && words[0] >= 'a' && words[0] <= 'z') words[0] = static_cast<char>(words[0] - 'a' + 'A');
    return words;
}

// The explanation up to the end of its first sentence or line: a full stop before a space or the
// end, outside brackets (a reader's error text and a file's name hold full stops of their own).
std::string first_sentence(const std::string& text) {
    int depth = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '\r' || c == '\n') return text.substr(0, k);
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (c == '.' && depth <= 0 && (k + 1 == text.size() || text[k + 1] == ' ')) return text.substr(0, k + 1);
    }
    return text;
}

std::string outcome_text(const FixOutcome& outcome) {
    std::string text;
    for (const std::string& line : outcome.words) text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

}  // namespace

std::vector<FindingGroup> group_findings(const GameCheck& check) {
    std::vector<FindingGroup> groups;
    for (const Severity severity : kSeverities) {
        FindingGroup group{severity, {}, {}};
        for (size_t k = 0; k < check.findings.size(); ++k) {
            if (check.findings[k].severity == severity) group.findings.push_back(k);
        }
        if (group.findings.empty()) continue;
        group.caption = capitalised(severity_words(severity)) + " (" + std::to_string(group.findings.size()) + ")";
        groups.push_back(std::move(group));
    }
    return groups;
}

std::string check_summary(const GameCheck& check) {
    if (check.cancelled) return "The check was stopped before the end; what it found so far is below.";
    const size_t found = check.findings.size();
    if (found == 0) return "The check found nothing wrong.";
    return "The check found " + std::to_string(found) + (found == 1 ? " problem." : " problems.");
}

std::string finding_line(const Finding& finding) { return first_sentence(finding.explanation); }

std::string finding_caption(const Finding& finding) {
    return capitalised(severity_words(finding.severity)) + ": " + finding_line(finding);
}

std::string file_caption(const std::string& file) { return "File: " + display_path(file); }

std::string sim_caption(const TouchedSim& sim) {
    std::string line = "Sim: " + sim.name;
    if (!sim.neighbourhood.empty()) line += " (" + sim.neighbourhood + ")";
    line += ", " + display_path(sim.file);
    if (!sim.needs.empty()) line += ", needs it for the " + sim.needs;
    return line;
}

bool may_choose_head(const Finding& finding) {
    return finding.kind.starts_with("missing-head") && !finding.sims.empty();
}

std::vector<std::string> wearers(const Finding& finding) {
    std::vector<std::string> files;
    for (const TouchedSim& sim : finding.sims) {
        if (std::find(files.begin(), files.end(), sim.file) == files.end()) files.push_back(sim.file);
    }
    return files;
}

BoxMessage head_for_whom(const TouchedSim& sim, size_t wearers) {
    const std::string all = "All " + std::to_string(wearers) + " Sims";
    return {std::to_string(wearers) + " sims wear this head. Give the chosen head to all of them, or to " +
                sim.name + " alone?",
            kBoxQuestion - 4 + kButtonsYesNoCancel, "Choose A Head", {all, sim.name + " Alone", "Cancel"}};
}

std::optional<ShownHead> head_to_show(const Finding& finding) {
    if (finding.model.empty()) return std::nullopt;
    return ShownHead{finding.model, finding.skin};
}

BoxMessage fix_question(const Finding& finding) {
    return {finding.fix_words +
                "\r\n\r\nEvery file it changes or moves is kept first, and \"Undo Last Fixes\" "
                "puts them back.\r\n\r\nMake this fix?",
            kBoxQuestion, "Fix The Game"};
}

BoxMessage apply_fix_box(const std::string& game_path, const Finding& finding) {
    const FixOutcome outcome = apply_fixes(game_path, {finding}, {finding.fix});
    if (!outcome.ok) {
        return {"The fix could not be made; the game is as it was.\r\n\r\n" + outcome_text(outcome),
                kBoxExclamation, "Fix The Game"};
    }
    return {"Fixed.\r\n\r\n" + outcome_text(outcome), kBoxInformation, "Fix The Game"};
}

BoxMessage undo_question() {
    return {"Put back every file the last run of fixes changed or moved?", kBoxQuestion, "Undo Last Fixes"};
}

BoxMessage undo_fixes_box(const std::string& game_path) {
    const FixOutcome outcome = undo_last_fixes(game_path);
    if (!outcome.ok) return {"Nothing was undone.\r\n\r\n" + outcome_text(outcome), kBoxExclamation, "Undo Last Fixes"};
    return {"The last fixes were undone.\r\n\r\n" + outcome_text(outcome), kBoxInformation, "Undo Last Fixes"};
}

}  // namespace fw
