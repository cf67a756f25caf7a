#include "core/heads/head_extraction.hpp"

#include "core/base/message_box.hpp"
#include "core/formats/far.hpp"
#include "core/formats/safe_names.hpp"
#include "core/game/game_archives.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

bool is_head_bitmap_name(const std::string& upper_name) {
    return upper_name.size() >= 10 && upper_name[0] == 'C' && upper_name[1] >= '0' && upper_name[1] <= '9' &&
           upper_name[9] == '_' && upper_name.ends_with(".BMP");
}

ExtractionResult extract_head_bitmaps(const std::string& game_path, const ExtractionLog& on_append,
                                      MissingArchives missing) {
    ExtractionResult result;
    const auto append = [&](const std::string& text) {
        result.log += text;
        if (on_append) on_append(text);
    };
    const std::string skins = game_path + "\\GameData\\Skins";
    for (const GameArchive& relative : game_archives_for(ArchiveUse::Extraction)) {
        const std::string archive = game_path + relative.path;
        append(std::string("Searching:") + kCrLf + display_path(archive) + kCrLf);
        if (missing == MissingArchives::Named && !file_exists(archive)) {
            append(std::string("Not found: this copy of the game has no such archive.") + kCrLf + kCrLf);
            continue;
        }
        int32_t found = 0;
        int32_t extracted = 0;
        // An archive that cannot be read counts as missing from where it failed on; the player is
        // told about it once the extraction is done.
        const std::shared_ptr<const ArchiveContents> contents =
            file_exists(archive) ? result.archives.contents(archive) : nullptr;
        const FARdir* dir = contents ? &contents->dir() : nullptr;
        for (int32_t n = 1; dir && n <= static_cast<int32_t>(dir->Entries.size()); ++n) {
            const std::string name = entry_base_name(dir->entry(n).FileName);
            if (!is_safe_file_name(name) || !is_head_bitmap_name(to_upper(name))) continue;
            ++found;
            if (file_exists(skins + "\\" + name)) continue;
            if (!result.archives.entry_inside(archive, *dir, n)) break;
            if (!folder_exists(skins)) create_folder(skins);
            ++extracted;
            gsExtractFile(archive, skins, *dir, n);
        }
        append("Files Found: " + std::to_string(found) + "   " +
               "Files Extracted: " + std::to_string(extracted) + kCrLf + kCrLf);
        result.total_found += found;
        result.total_extracted += extracted;
    }
    append("Total Files Found: " + std::to_string(result.total_found) +
           "   Total Files Extracted: " + std::to_string(result.total_extracted));
    return result;
}

}  // namespace fw
