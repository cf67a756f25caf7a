#pragma once
// The game's FAR archives: every archive the program reads, once, in the one order they are
// searched, each with what it is read for. A reader that needs the archives of one use walks this
// list and takes those marked for it, so each use keeps its own members in the common order.
#include <string>
#include <vector>

namespace fw {

// What an archive is read for.
enum class ArchiveUse : unsigned {
    HeadModels = 1,  // the head-model lists built at the main window's load
    HeadFiles = 2,   // a head's description, meshes and bitmaps, found by name (the 3D head)
    HeadBitmap = 4,  // the head bitmap the editor shows when the skins folder has none
    Extraction = 8,  // the extraction of head bitmaps into the skins folder
};

// How an archive's head models are told from its other entries. The two later expansion packs hold
// other ".bcf" entries that start with "C"; there a model also has a digit after the "C".
enum class ModelNameRule { Plain, DigitAfterC };

struct GameArchive {
    std::string path;   // relative to the game path, beginning with "\"
    unsigned uses = 0;  // ArchiveUse values or'ed together
    ModelNameRule model_rule = ModelNameRule::Plain;

    bool used_for(ArchiveUse use) const { return (uses & static_cast<unsigned>(use)) != 0; }
};

// Every archive of the game the program reads, in search order.
const std::vector<GameArchive>& game_archives();
// The archives read for one use, in search order.
std::vector<GameArchive> game_archives_for(ArchiveUse use);

}  // namespace fw
