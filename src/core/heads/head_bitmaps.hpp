#pragma once
// A head's bitmap in the game: the skins folder's, else the entry of the game's archives that
// holds it, taken out into the program folder for the editor to show.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/formats/far.hpp"
#include "core/game/damaged_archives.hpp"

namespace fw {

// game path + "\gamedata\skins\" + skin + ".bmp"; "" for a skin that is not a safe file name.
std::string skin_bitmap_path(const std::string& game_path, const std::string& skin);

// Where a head bitmap lies in the game's archives: archive, its directory and the entry's number.
struct HeadBitmapEntry {
    std::string archive;
    FARdir dir;
    int32_t n = 0;
};
// Searches the game's archives read for a head bitmap (ArchiveUse::HeadBitmap) that exist, in order, for the
// first entry whose file-name part equals skin + ".bmp" without regard to case; nothing when no archive holds
// it or the skin is not a safe file name. An archive that cannot be read is skipped (see ArchiveReading).
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

}  // namespace fw
