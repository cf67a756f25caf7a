#pragma once
// The sim the editor holds while it is open, and the checks that decide whether it may show and
// save it. A file the editor could not display or save is refused before anything is written,
// with the box the caller shows.
#include <optional>
#include <string>

#include "core/base/message_box.hpp"
#include "core/formats/iff.hpp"
#include "core/formats/str_list.hpp"
#include "core/platform/game_files.hpp"
#include "core/sims/appearance.hpp"

namespace fw {

inline constexpr const char* kLoadTerminatedTitle = "Load Terminated";
inline constexpr const char* kInvalidUserFileText = "User IFF File Invalid.";
inline constexpr const char* kPetRefusedText = "This sim is a pet. Only people can be edited.";
inline constexpr const char* kNotSavedTitle = "Not Saved";

// What frmEditSim holds for the sim being edited.
struct EditorSession {
    std::string load_user_file;  // LoadUserFile: the character file's path
    IFFFile image;               // the whole file as read when the editor opened it
    STRList appearance;          // STR# 200 as read when the editor opened it
    STRList names;               // CTSS 2000
    // The file as it was read, so that a save can tell whether another program (the game, a
    // script) has changed it since: its bytes, size and time written.
    std::string loaded_bytes;
    FileStamp loaded_stamp;
};

// "User IFF File Invalid." titled "Load Terminated", critical icon.
BoxMessage invalid_file_box();
// "This sim is a pet. Only people can be edited." titled "Load Terminated", critical icon.
BoxMessage pet_box();

// "This sim's file is read-only:", the file's path, "Nothing was saved." titled "Save
// Terminated", critical icon.
BoxMessage read_only_box(const std::string& path);

// A pet of the pets expansion: entry 1 "kat" or "dog", or entry 13 beginning with "cat" or "dog"
// ("catmale", "dogfemale"). Saving one would turn it into a human child.
bool is_pet(const STRList& appearance);
// A person: entry 1 "adult" or "child", and no pet. A file that is neither is not one the
// editor understands.
bool is_person(const STRList& appearance);

// Reads the character file and its two lists into the session without ever reaching the error
// trap: a file that cannot be read (or is far larger than a character file), is not a character
// file, or whose lists cannot be taken apart or lack the entries the editor shows (1, 3, 13, 15
// and the name) gives the invalid-file box. Pets are read like people.
std::optional<BoxMessage> read_sim_file(const std::string& path, EditorSession& session);
// The part of read_sim_file after the file was read into session.image: the character file
// check and the two lists.
std::optional<BoxMessage> read_sim_lists(EditorSession& session);

// Whether the editor may show and save these lists: pets get the pet box; a sim that is no person
// or whose head entry has no "," gets the invalid-file box. A list too short for the outfit table
// is fine here: only a save that changes the body needs the table (see save_sim).
std::optional<BoxMessage> check_editable(const STRList& appearance, const STRList& names);

// read_sim_file, then check_editable.
std::optional<BoxMessage> open_sim_for_editing(const std::string& path, EditorSession& session);

// Whether the controls can be written into the lists as they stand: the name, the head model
// and the head skin must not be empty (a head without either is one the game cannot draw), and
// no text may hold a control character (a NUL would end the entry early and shift every
// following one); a model holding "," or "=", or a skin holding ";", would read back as another
// model or skin. `about`, when given, is set to the control a refusal is about.
enum class SimField { Name, Model, Skin };
std::optional<BoxMessage> check_controls(const SimControls& controls, SimField* about = nullptr);

// The Windows-1252 bytes of a name typed as UTF-8, or the box that refuses it when the game's
// character set cannot hold one of its characters (a name is never stored with "?" instead).
// `what` names the field in the message ("name", "head model", "head skin").
struct EncodedText {
    std::string bytes;
    std::optional<BoxMessage> refusal;
};
EncodedText encode_for_game(const std::string& utf8, const std::string& what);

}  // namespace fw
