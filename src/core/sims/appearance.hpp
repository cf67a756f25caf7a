#pragma once
// What the sim editor reads from a character file's appearance list (STR# 200) and name list
// (CTSS 2000), and how it writes its controls back into them. Texts are the file's own
// Windows-1252 bytes.
#include <optional>
#include <string>

#include "core/formats/iff.hpp"
#include "core/formats/str_list.hpp"

namespace fw {

// Entries of the appearance list that the editor reads or writes.
namespace entry {
inline constexpr size_t age = 1;
inline constexpr size_t head = 3;
inline constexpr size_t gender = 13;
inline constexpr size_t age_number = 14;
inline constexpr size_t tone = 15;
}  // namespace entry

enum class Tone { Light, Medium, Dark };

// "lgt", "med" or "drk".
const char* tone_code(Tone tone);
// The tone of an exact code; nothing for any other text (an unknown tone is not an error).
std::optional<Tone> tone_from_code(const std::string& code);

// The editor's controls: what it shows when it opens a sim and what the save writes back.
struct SimControls {
    std::string name;   // txtName
    std::string model;  // txtModel
    std::string skin;   // txtSkin
    bool adult = true;  // optAdult (else optChild)
    bool male = true;   // optMale (else optFemale)
    // optLight / optMedium / optDark; nothing when no tone option is on (a save then writes "drk").
    std::optional<Tone> tone;
};

struct Head {
    std::string model;
    std::string skin;
};

// The appearance list (STR# 200) of a character file, taken apart afresh. Fails when the file has
// none or it cannot be taken apart, so that one sim's entries never stand in for another's.
STRList appearance_list(const IFFFile& file);

// The skin a head entry names, wherever a sim's head is shown: the text after the first "=" (the
// whole entry without one), cut before its first ";".
std::string head_skin(const std::string& head_entry);

// The head entry split as the editor shows it: the model is the text before the first ",", the
// skin as head_skin gives it. Nothing when the entry has no "," (it names no model).
std::optional<Head> split_head(const std::string& head_entry);

// The controls as the editor fills them from the two lists. Fails when an entry is missing or
// the head entry has no ",": check the file with check_editable first.
SimControls read_sim_controls(const STRList& appearance, const STRList& names);

// The code the head selector takes: gender letter, age letter, tone code ("fadrk", "mclgt"); with
// no tone option on, the tone is "drk".
std::string skin_data_code(const SimControls& controls);

// Writes the controls into the lists in the save's order: entries 1 and 14, 3, 13, 15 of the
// appearance list, then entry 1 of the name list. Returns the name the list held before.
std::string write_sim_controls(STRList& appearance, STRList& names, const SimControls& controls);

// True when entry 1, 13 or 15 differs between the two lists: the sim's body changed and its
// outfits no longer fit.
bool body_changed(const STRList& edited, const STRList& as_opened);

// The text a name chunk ("CTSS") holds from its sixth byte up to its first NUL: the value of its
// first entry. Fails when no NUL follows.
std::string name_chunk_text(const IFFChunk& chunk);
// Entry n of the appearance list (appearance_list) after its first "=" (the whole entry without one).
std::string appearance_value(const STRList& appearance, size_t n);

}  // namespace fw
