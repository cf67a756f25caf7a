#pragma once
// What the editor window shows for the sim it holds: its caption, the controls filled from the
// two lists, the option buttons that are on, the head bitmap (from the skins folder, else taken
// out of the game's archives), the head previews and the portraits, and the question before a
// save. The window loads and paints the pictures this names.
#include <optional>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/editor/sim_session.hpp"
#include "core/formats/far.hpp"
#include "core/shared/appearance.hpp"
#include "core/shared/damaged_archives.hpp"

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

// The sim's portraits, which the main window dumped into the program folder when it showed the
// sim last.
struct Portraits {
    std::string web_image;  // picWebImage; the web placeholder when it does not load
    std::string faces;      // picFaces; the web placeholder when it does not load
    std::string relimages;  // picRelImages; the no-bitmaps placeholder when it does not load
};
Portraits portrait_paths();

struct EditorDisplay {
    std::string caption;   // "Edit Sim - " + the character file's name, upper-cased
    SimControls controls;  // txtName, txtModel, txtSkin and the options, as the lists hold them
    OptionButtons options;
    HeadPreviews previews;
    Portraits portraits;
};

// The display of an opened session (see open_sim_for_editing). Guarded (frmEditSim /
// msDisplayData, 0).
EditorDisplay msDisplayData(const EditorSession& session);

// game path + "\gamedata\skins\" + skin + ".bmp"; "" for a skin that is not a safe file name.
std::string skin_bitmap_path(const std::string& game_path, const std::string& skin);

// The archives searched for a head bitmap missing from the skins folder, in this order, each
// relative to the game path.
const std::vector<std::string>& head_bitmap_search_archives();

// Where a head bitmap lies in the game's archives: archive, its directory and the entry's number.
struct HeadBitmapEntry {
    std::string archive;
    FARdir dir;
    int32_t n = 0;
};
// Searches the archives of the game that exist, in order, for the first entry whose file-name
// part equals skin + ".bmp" without regard to case; nothing when no archive holds it or the skin
// is not a safe file name. An archive that cannot be read is skipped (see ArchiveReading).
std::optional<HeadBitmapEntry> find_head_bitmap(const std::string& game_path, const std::string& skin,
                                                ArchiveReading& archives);

// Extracts the bitmap find_head_bitmap finds as "headtemp.bmp" into the program folder (replacing
// an earlier one). Returns that file's path, or "" when there is none. Guarded (frmEditSim /
// msDisplayData, 0): a bitmap that cannot be written reaches the trap.
std::string extract_head_bitmap(const std::string& game_path, const std::string& skin,
                                ArchiveReading& archives);

// The head bitmap picHead shows when the editor opens: the skins folder's when it loads as a
// picture, else the one extract_head_bitmap finds; "" leaves the head-not-found placeholder.
std::string head_bitmap_for_display(const std::string& game_path, const std::string& skin,
                                    ArchiveReading& archives);

// The editor's SelectedSkin after the head selector closed, split at its first ",": nothing when
// it is empty (the selector was cancelled and nothing changes).
std::optional<Head> chosen_head(const std::string& selected_skin);

// "Make changes to: ", the character file's path, "?", then "Are You Sure?" after two line
// breaks, titled "Confirm Action", Yes and No.
BoxMessage save_confirmation(const std::string& load_user_file);

}  // namespace fw
