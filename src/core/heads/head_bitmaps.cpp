#include "core/heads/head_bitmaps.hpp"

#include "core/base/error_trap.hpp"
#include "core/formats/safe_names.hpp"
#include "core/game/game_archives.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
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

std::optional<HeadBitmapEntry> find_head_bitmap(const std::string& game_path, const std::string& skin,
                                                ArchiveReading& archives) {
    // A skin name that could reach outside the skins folder names no bitmap anywhere.
    if (!is_safe_file_name(skin)) return std::nullopt;
    for (const GameArchive& relative : game_archives_for(ArchiveUse::HeadBitmap)) {
        const std::string archive = game_path + relative.path;
        if (!file_exists(archive)) continue;
        const std::shared_ptr<const ArchiveContents> contents = archives.contents(archive);
        if (!contents) continue;
        const int32_t n = contents->find(skin + ".bmp");
        // An entry outside its archive marks the archive damaged: on to the next.
        if (n != 0 && archives.entry_inside(archive, contents->dir(), n))
            return HeadBitmapEntry{archive, contents->dir(), n};
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
