#pragma once
// The four head-model lists (FA, MA, FC, MC): the head models a game ships inside its FAR
// archives, found once at the main window's load and read by the head selector afterwards. The
// lists are held with the game they were built from: another game sees none of them.
#include <string>
#include <vector>

#include "core/game/damaged_archives.hpp"
#include "core/game/game_archives.hpp"

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

// The lists last built for the game at game_path; empty lists for a game they were not built for.
HeadModelLists head_model_lists(const std::string& game_path);
// Holds `lists` as the ones built for the game at game_path, in place of any game's before.
void keep_head_model_lists(const std::string& game_path, HeadModelLists lists);

// The model name an archive entry stands for, or "" when the entry is not a head model: the
// entry's name after its last "\" or "/", upper-cased; a head model starts with "C", has "_" as
// its seventh character and ends in ".BCF" (and, under DigitAfterC, has a digit as its second
// character). The model name is that name up to its first ".". A name that could reach outside
// its folder is never a model.
std::string head_model_from_entry(const std::string& entry_name, ModelNameRule rule);

// Builds the game's lists afresh and keeps them (keep_head_model_lists), filled from the game's archives read
// for head models (each under its ModelNameRule) that exist, in archive and directory order; duplicates are
// kept. A missing archive is skipped, and so is one that cannot be read: the result names those for the
// player.
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
void msAddHeadModel(HeadModelLists& lists, const std::string& name);

}  // namespace fw
