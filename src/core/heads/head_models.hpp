#pragma once
// The four program-wide head-model lists (FA, MA, FC, MC): the head models the game ships inside
// its FAR archives, found once at start-up and read by the head selector afterwards.
#include <string>
#include <vector>

#include "core/game/damaged_archives.hpp"

namespace fw {

struct HeadModelLists {
    std::vector<std::string> FA;
    std::vector<std::string> MA;
    std::vector<std::string> FC;
    std::vector<std::string> MC;

    // The list of an age/gender code ("FA", "MA", "FC", "MC", exact case), or nullptr for any
    // other code.
    std::vector<std::string>* list_for(const std::string& code);
    const std::vector<std::string>* list_for(const std::string& code) const;
};

// The program-wide lists, empty until msGetHeadModelLists fills them.
HeadModelLists& head_model_lists();

// The archives searched for head models, in this order, each relative to the game path.
const std::vector<std::string>& head_model_archives();

// How an archive's head models are told from its other entries. The two later expansion packs hold
// other ".bcf" entries that start with "C"; there a model also has a digit after the "C".
enum class ModelNameRule { Plain, DigitAfterC };

// The model name an archive entry stands for, or "" when the entry is not a head model: the
// entry's name after its last "\" or "/", upper-cased; a head model starts with "C", has "_" as
// its seventh character and ends in ".BCF" (and, under DigitAfterC, has a digit as its second
// character). The model name is that name up to its first ".". A name that could reach outside
// its folder is never a model.
std::string head_model_from_entry(const std::string& entry_name, ModelNameRule rule);

// Empties the lists, then fills them from the archives of the game that exist, in archive and
// directory order; duplicates are kept. A missing archive is skipped, and so is one that cannot be
// read: the result names those for the player.
ArchiveReading msGetHeadModelLists(const std::string& game_path);

// The head models the head selector lists for a skin data code (e.g. "malgt"): the built-in
// models of the code's list (its first two characters, upper-cased), then the meshes game path +
// "\GameData\Skins\" + "C???" + code + "*.cmx" whose name without extension is not listed yet
// (ignoring case), each upper-cased up to its first ".".
std::vector<std::string> head_models_for(const std::string& game_path, const std::string& skin_data);

// What the names of a model's skins in a tone begin with: the model's name up to its first "_",
// then the tone code ("C005MAlgt" for C005MA_ROMEO in "lgt"); "" for a model without "_".
std::string skin_name_prefix(const std::string& model, const std::string& tone);

// Files one model name into the list of its age/gender code (its fifth and sixth characters);
// a name with any other code is ignored.
void msAddHeadModel(const std::string& name);

}  // namespace fw
