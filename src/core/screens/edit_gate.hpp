#pragma once
// "Edit This Sim" (and a double click in the grid): whether the selected sim opens in the editor,
// is refused with a box, or nothing happens at all.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"

namespace fw {

// What the main window knows when the user asks to edit the selected sim.
struct EditRequest {
    std::string neighbourhood_line;  // the text of lstUserDataDir
    std::string sim_name;            // the text of txtSimName
    int32_t page = 0;
    int32_t cell = 0;                // the selected cell, from 0
    std::vector<std::string> files;  // the character file list
    std::string characters_folder;   // ends with "\"
};

struct EditDecision {
    std::optional<BoxMessage> refusal;  // the box to show instead of the editor
    std::string path;                   // LoadUserFile: set when the editor is to open

    bool opens() const { return !path.empty(); }
};

// Nothing happens (no box, no path) without a neighbourhood or a sim name, for an empty cell, and
// for a file the checked reader cannot read. A file that is not a character file, one the editor
// could not display or save, and a pet are refused with their box. Only a file that will open is
// remembered: its neighbourhood line is stored as "Last Neighborhood Selected" (Vestrel).
EditDecision may_open_sim(const EditRequest& request);

}  // namespace fw
