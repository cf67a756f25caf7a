#include "core/screens/edit_gate.hpp"

#include "core/screens/sim_display.hpp"
#include "core/sims/sim_session.hpp"
#include "core/formats/character_file.hpp"
#include "core/formats/iff.hpp"
#include "core/platform/settings.hpp"

namespace fw {

EditDecision may_open_sim(const EditRequest& request) {
    EditDecision decision;
    if (request.neighbourhood_line.empty() || request.sim_name.empty()) return decision;
    // The name box's text alone does not prove that the selected cell holds a sim.
    const std::string file = file_in_cell(request.files, request.page, request.cell);
    if (file.empty()) return decision;

    const std::string path = request.characters_folder + file;
    IFFFile record;
    gsInitIFF(record);
    // The cell already shows why this file cannot be read; a box would only repeat it.
    if (!read_character_file_checked(record, path).empty()) return decision;
    if (!gfblnVerifyUserIFF(record)) {
        decision.refusal = invalid_file_box();
        return decision;
    }
    EditorSession session;
    if ((decision.refusal = open_sim_for_editing(path, session))) return decision;

    save_setting(kAppVestrel, kKeyLastNeighborhood, request.neighbourhood_line);
    decision.path = path;
    return decision;
}

}  // namespace fw
