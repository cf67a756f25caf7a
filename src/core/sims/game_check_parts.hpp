#pragma once
// The families of the game check, each adding its findings; shared by game_check.cpp only.
#include <set>
#include <string>
#include <vector>

#include "core/game/content_index.hpp"
#include "core/sims/game_check.hpp"

namespace fw::check {

// The names the game can find, upper-cased and without their endings: descriptions (".cmx",
// ".cmx.bcf", and ".bcf" as the archives store some), meshes (".skn", ".bmf") and bitmaps (".bmp").
struct ContentNames {
    std::set<std::string> descriptions;
    std::set<std::string> meshes;
    std::set<std::string> bitmaps;
};

enum class ContentType { Other, Description, Mesh, Bitmap };
// The type of a content file by its name, and its name without the ending.
ContentType content_type(const std::string& file_name, std::string* base = nullptr);

// Counts the steps of a check and asks the progress callback whether to go on.
class Steps {
public:
    Steps(const CheckProgress& progress, size_t total) : progress_(progress), total_(total) {}
    // One step done; false when the check is to stop.
    bool step();
    bool stopped() const { return stopped_; }

private:
    const CheckProgress& progress_;
    size_t total_;
    size_t done_ = 0;
    bool stopped_ = false;
};

// Every content file, once by name (the one the game takes): descriptions that cannot be read
// or name a mesh the game lacks, buyable descriptions whose mesh lies only in GameData\Skins,
// meshes that cannot be read or name a missing texture, skin bitmaps the game cannot draw.
void check_content(const std::string& game_path, ContentIndex& index, const std::vector<GameFile>& entries,
                   const ContentNames& names, Steps& steps, std::vector<Finding>& out);

// Files the game does not look at or cannot tell apart: skins in subfolders, description files
// whose own name differs, case twins, damaged archives and downloads, leftovers of saves.
void check_placement(const std::string& game_path, ContentIndex& index, const std::vector<GameFile>& entries,
                     const std::vector<std::string>& characters_folders, std::vector<Finding>& out);

// A neighbourhood's characters folder and the name the program shows for it.
struct Neighbourhood {
    std::string folder;  // game path ending in "\"
    std::string shown;
    std::vector<std::string> files;
};
std::vector<Neighbourhood> list_neighbourhoods(const std::string& game_path);

// Every sim, one character file at a time, against the names the game can find.
void check_sims(const std::vector<Neighbourhood>& neighbourhoods, const ContentNames& names, Steps& steps,
                std::vector<Finding>& out);

}  // namespace fw::check
