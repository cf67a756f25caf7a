#pragma once
// What the editor window shows for the sim it holds: its caption, the controls filled from the
// two lists, the option buttons that are on, the head bitmap (from the skins folder, else taken
// out of the game's archives), the head previews and the portraits, and the question before a
// save. The window paints the portraits this holds and loads the pictures it names.
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/sims/sim_session.hpp"
#include "core/sims/appearance.hpp"
#include "core/sims/bitmap_dump.hpp"
#include "core/heads/head_bitmaps.hpp"

namespace fw {

// The option buttons on after the display. The window opens with none on; each group then gets
// one, but the tone group only for a known tone code.
struct OptionButtons {
    bool optMale = false;
    bool optFemale = false;
    bool optAdult = false;
    bool optChild = false;
    bool optLight = false;
    bool optMedium = false;
    bool optDark = false;
    bool operator==(const OptionButtons&) const = default;
};
OptionButtons option_buttons(const SimControls& controls);

// The two head previews of a skin in the program folder's "HeadPreview" folder. When the first
// is not cached the window leaves both preview pictures as they are (on opening) or empties
// them (after a new head was chosen); when it is, the second may still be missing and shows the
// no-preview placeholder.
struct HeadPreviews {
    bool cached = false;
    std::string preview;   // "Preview_" + skin + ".bmp": picPreview
    std::string preview2;  // "Preview2_" + skin + ".bmp": picPreview2
};
// A skin that is not a safe file name has no previews.
HeadPreviews head_previews(const std::string& skin);

struct EditorDisplay {
    std::string caption;   // "Edit Sim - " + the character file's name, upper-cased
    SimControls controls;  // txtName, txtModel, txtSkin and the options, as the lists hold them
    OptionButtons options;
    HeadPreviews previews;
    // The sim's own portraits (web image, faces, relationship images) from the file the session
    // read: the same bytes the main window dumped when it showed the sim, drawn without reading
    // them back from the program folder, which another run may have changed since.
    Portraits portraits;
};

// The display of an opened session (see open_sim_for_editing). Guarded (frmEditSim /
// msDisplayData, 0).
EditorDisplay msDisplayData(const EditorSession& session);

// The editor's SelectedSkin after the head selector closed, split at its first ",": nothing when
// it is empty (the selector was cancelled and nothing changes).
std::optional<Head> chosen_head(const std::string& selected_skin);

// "Make changes to: ", the character file's path, "?", then "Are You Sure?" after two line
// breaks, titled "Confirm Action", Yes and No.
BoxMessage save_confirmation(const std::string& load_user_file);

}  // namespace fw
