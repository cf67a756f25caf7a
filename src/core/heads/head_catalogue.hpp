#pragma once
// What the head selector lists: the head models of a sim's age and gender, and the skins of the
// chosen model in the sim's tone, with the skins that cannot be loaded weeded out.
#include <string>
#include <vector>

namespace fw {

inline constexpr const char* kBadSkinFilesTitle = "Bad Skin Files Detected";

// The models for a skin data code (e.g. "malgt"): the built-in models of the code's head-model
// list (its first two characters, upper-cased), then the meshes game path + "\GameData\Skins\" +
// "C???" + code + "*.cmx" whose name without extension is not listed yet (ignoring case), each
// upper-cased up to its first ".". Guarded (frmSelectHead / msGetModelList, location 0).
std::vector<std::string> msGetModelList(const std::string& game_path, const std::string& skin_data);

struct SkinListing {
    std::vector<std::string> skins;  // file names (no folder) that load as pictures, in listing order
    std::vector<std::string> bad;    // file names that matched but do not load
    // Why the model's skins cannot be listed at all ("" when they were listed).
    std::string refusal;
};

// The skins of a model in the tone of a skin data code (its last three characters): the files
// game path + "\gamedata\skins\" + model prefix (up to the first "_") + tone + "_*.bmp", each
// tested as a picture. A model without "_" has no prefix and is refused, as is a prefix or tone
// that could reach outside the skins folder. Guarded (frmSelectHead / msGetSkinFileNames).
SkinListing msGetSkinFileNames(const std::string& game_path, const std::string& model,
                               const std::string& skin_data);

// The text of the "Bad Skin Files Detected" box for the bad files (CR LF line breaks).
std::string bad_skin_files_message(const std::vector<std::string>& bad);

}  // namespace fw
