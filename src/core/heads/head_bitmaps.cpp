#include "core/heads/head_bitmaps.hpp"

#include "core/base/error_trap.hpp"
#include "core/formats/character_file.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/program_folder.hpp"
#include "core/heads/picture_check.hpp"

namespace fw {

namespace {
// The head bitmap is taken out while the editor shows its sim: its failures are logged as that
// display's.
constexpr const char* kModule = "frmEditSim";
}  // namespace

std::string skin_bitmap_path(const std::string& game_path, const std::string& skin) {
    if (!is_safe_file_name(skin)) return "";
    return game_path + "\\gamedata\\skins\\" + skin + ".bmp";
}

const std::vector<std::string>& head_bitmap_search_archives() {
    static const std::vector<std::string> archives = {
        "\\GameData\\Textures\\textures.far",          "\\ExpansionPack\\ExpansionPack.far",
        "\\ExpansionPack2\\ExpansionPack2.far",        "\\ExpansionPack3\\ExpansionPack3.far",
        "\\ExpansionPack4\\ExpansionPack4.far",        "\\ExpansionShared\\ExpansionShared.far",
        "\\Downloads\\QuennelsHDTs\\QuennelsHDTs.far",
    };
    return archives;
}

std::optional<HeadBitmapEntry> find_head_bitmap(const std::string& game_path, const std::string& skin,
                                                ArchiveReading& archives) {
    // A skin name that could reach outside the skins folder names no bitmap anywhere.
    if (!is_safe_file_name(skin)) return std::nullopt;
    const std::string wanted = to_upper(skin + ".bmp");
    for (const std::string& relative : head_bitmap_search_archives()) {
        const std::string archive = game_path + relative;
        if (!file_exists(archive)) continue;
        std::optional<FARdir> dir = archives.directory(archive);
        if (!dir) continue;
        for (int32_t n = 1; n <= static_cast<int32_t>(dir->Entries.size()); ++n) {
            if (gfstrGetFileName(dir->entry(n).FileName) != wanted) continue;
            if (!archives.entry_inside(archive, *dir, n)) break;  // a damaged archive: on to the next
            return HeadBitmapEntry{archive, std::move(*dir), n};
        }
    }
    return std::nullopt;
}

std::string extract_head_bitmap(const std::string& game_path, const std::string& skin,
                                ArchiveReading& archives) {
    return guarded(kModule, "msDisplayData", [&](int32_t&) -> std::string {
        const std::optional<HeadBitmapEntry> found = find_head_bitmap(game_path, skin, archives);
        if (!found) return "";
        const std::string folder = program_folder();
        gsExtractFileEx(found->archive, folder, "headtemp.bmp", found->dir, found->n);
        return folder + "\\headtemp.bmp";
    });
}

std::string head_bitmap_for_display(const std::string& game_path, const std::string& skin,
                                    ArchiveReading& archives) {
    const std::string in_skins_folder = skin_bitmap_path(game_path, skin);
    if (in_skins_folder.empty()) return "";
    if (loads_as_picture(in_skins_folder)) return in_skins_folder;
    return extract_head_bitmap(game_path, skin, archives);
}

}  // namespace fw
