#include "core/screens/head_for_sims.hpp"

#include "core/game/damaged_archives.hpp"
#include "core/heads/head_check.hpp"
#include "core/platform/game_paths.hpp"
#include "core/sims/sim_save.hpp"
#include "core/sims/sim_session.hpp"

namespace fw {

HeadChoice head_choice_for(const std::string& character_file) {
    EditorSession session;
    if (auto refusal = open_sim_for_editing(character_file, session)) return {{}, std::move(refusal)};
    return {skin_data_code(read_sim_controls(session.appearance, session.names)), std::nullopt};
}

BoxMessage give_head(const std::string& game_path, const std::vector<std::string>& character_files,
                     const Head& head, bool make_backup, const HeadMismatchQuestion& ask) {
    ArchiveReading archives;
    std::string report;
    int saved = 0;
    for (const std::string& file : character_files) {
        std::string outcome;
        EditorSession session;
        if (auto refusal = open_sim_for_editing(file, session)) {
            outcome = refusal->text;
        } else {
            const SimControls as_opened = read_sim_controls(session.appearance, session.names);
            SimControls controls = as_opened;
            controls.model = head.model;
            controls.skin = head.skin;
            const std::vector<std::string> mismatches = head_mismatches(game_path, as_opened, controls, archives);
            if (!mismatches.empty() && !ask(file, mismatches)) {
                outcome = "not saved.";
            } else if (const SaveResult result = save_sim(session, controls, {.make_backup = make_backup});
                       result.changed_elsewhere) {
                outcome = "changed elsewhere since it was read; not saved.";
            } else if (!result.saved()) {
                outcome = result.refusal->text;
            } else {
                outcome = "saved.";
                ++saved;
            }
        }
        report += "\r\n" + display_path(file) + ": " + outcome;
    }
    const std::string head_text = head.model + "," + head.skin;
    return {std::to_string(saved) + " of " + std::to_string(character_files.size()) + " sims now wear the head " +
                head_text + "." + report,
            saved == static_cast<int>(character_files.size()) ? kBoxInformation : kBoxExclamation,
            "Choose A Head"};
}

}  // namespace fw
