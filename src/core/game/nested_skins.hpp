#pragma once
// Skin files that players unzipped with their folder: the game reads the skins folders
// ("GameData\Skins", "ExpansionShared\SkinsBuy") and nothing below them, so a head, body or skin
// in a subfolder is never seen. The fix moves such a file up into the skins folder, when no file
// of its name lies there already.
#include <string>
#include <vector>

namespace fw {

class FixJournal;

struct NestedSkinFile {
    std::string path;         // the file, as a game path
    std::string skins_folder;  // the folder the game would read it from
    std::string name;         // its name
    bool name_free = false;   // no file or folder of that name in the skins folder: it may move
};

// True for the names of the files a skins folder holds: descriptions (".cmx", ".cmx.bcf"),
// meshes (".skn", ".bmf") and bitmaps (".bmp").
bool is_skin_file_name(const std::string& name);

// The skin files in the subfolders of a skins folder, at any depth, in listing order. Folders
// that are links are not followed.
std::vector<NestedSkinFile> find_nested_skin_files(const std::string& skins_folder);

// Moves the file up into its skins folder through the journal (which keeps it first).
void move_nested_skin_file(FixJournal& journal, const NestedSkinFile& file);

}  // namespace fw
