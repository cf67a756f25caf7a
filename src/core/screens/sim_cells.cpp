#include "core/screens/sim_cells.hpp"

#include <exception>

#include "core/base/error_trap.hpp"
#include "core/base/failure.hpp"
#include "core/sims/bitmap_dump.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/character_file.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"
#include "core/screens/grid_pages.hpp"
#include "core/heads/head_previews.hpp"

namespace fw {

namespace {

// The real path of a folder given as a game path, with a separator at its end.
std::string real_folder(const std::string& folder) {
#ifdef _WIN32
    return folder;
#else
    std::string real = resolve_path(folder).string();
    if (!real.empty() && real.back() != '/') real += '/';
    return real;
#endif
}

}  // namespace

SimCell read_sim_cell(IFFFile& record, const std::string& path) {
    SimCell cell;
    gsInitIFF(record);
    cell.error = read_character_file_checked(record, path);
    if (!cell.error.empty()) return cell;
    try {
        for (const IFFChunk& chunk : record.chunks) {
            if (chunk.type == "CTSS") {
                cell.name = name_chunk_text(chunk);
                break;
            }
        }
        cell.skin = head_skin(appearance_list(record).item(entry::head).value);
    } catch (const Failure& failure) {
        cell = SimCell{error_text(failure), "", "", ""};
    } catch (const std::exception&) {
        cell = SimCell{error_text(failure_from_current_exception()), "", "", ""};
    }
    return cell;
}

bool make_head_previews(const std::string& skin) {
    if (!is_safe_file_name(skin)) return false;
    if (file_exists(head_preview_path(skin))) return false;
    const std::string folder = program_folder();
    const auto copy_ignoring_failure = [](const std::string& from, const std::string& to) {
        try {
            copy_file(from, to);
        } catch (const std::exception&) {
            // A sim without the bitmap, or a folder that cannot be written: no preview, no message.
        }
    };
    copy_ignoring_failure(folder + "\\speech_large.bmp", head_preview_path(skin));
    copy_ignoring_failure(folder + "\\Web_Image.bmp", head_preview2_path(skin));
    return true;
}

SimCell load_sim_cell(IFFFile& record, const std::string& path) {
    SimCell cell = read_sim_cell(record, path);
    if (!cell.loaded()) return cell;
    {
        // The deletes and the dump are one run of changes in the program folder: its files are
        // matched against one listing, looked at once before and once after.
        FolderChanges folder(program_folder());
        folder.delete_file("Web_Image.Bmp");
        folder.delete_file("speech_large.Bmp");
        cell.thumbnail = dumped_bytes(gsDumpBMPs(record, folder), "Web_Image.Bmp");
    }
    make_head_previews(cell.skin);
    return cell;
}

void msLoadSimImages(const std::string& characters_folder, const std::vector<std::string>& files,
                     int32_t page,
                     const std::function<void(int32_t cell, const SimCell& result)>& draw_cell) {
    guarded("frmMain", "msLoadSimImages", [&](int32_t& location) {
        location = checkpoint::start;
        if (files.empty()) return;
        const int32_t first = page * kSimsPerPage;
        const int32_t last = last_index(page, files.size());
        location = checkpoint::c2000;
        // The page's files lie in one folder, listed under their real names: the folder's name is
        // matched once for the page, not once for every file.
        const std::string folder = real_folder(characters_folder);
        IFFFile record;
        for (int32_t i = first; i <= last; ++i) {
            const SimCell cell = load_sim_cell(record, folder + files[static_cast<size_t>(i)]);
            draw_cell(i - first, cell);
        }
    });
}

PageSelection select_first_sim(const std::vector<std::string>& files, int32_t page,
                               const std::function<void(const std::string& file_name)>& display) {
    return guarded("frmMain", "msLoadSimImages", [&](int32_t& location) {
        location = checkpoint::c3000;
        PageSelection selection;
        display(files.at(static_cast<size_t>(file_number(page, selection.cell) - 1)));
        selection.page_counter = page_counter_text(page, files.size());
        return selection;
    });
}

}  // namespace fw
