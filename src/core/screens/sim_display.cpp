#include "core/screens/sim_display.hpp"

#include <exception>
#include <string_view>

#include "core/base/error_trap.hpp"
#include "core/sims/bitmap_dump.hpp"
#include "core/screens/sim_cells.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/character_file.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/program_folder.hpp"

namespace fw {

namespace {

constexpr std::string_view kCodeNameSeparator = " - ";

// The sim's name as its name list holds it now; "" when the file has none to give.
std::string current_name(const IFFFile& record) {
    for (const IFFChunk& chunk : record.chunks) {
        if (chunk.type != "CTSS") continue;
        try {
            return name_chunk_text(chunk);
        } catch (const std::exception&) {
            return "";
        }
    }
    return "";
}

}  // namespace

std::string sim_display_name(const IFFFile& record, const std::string& file_name) {
    for (const IFFChunk& chunk : record.chunks) {
        if (chunk.type != "OBJD") continue;
        const std::string label = gfstrStripNull(chunk.label);
        if (to_lower(label.substr(0, 4)) != "user") continue;
        // The game names the object "user00001 - Name" when it makes the sim, and a rename leaves
        // that label as it was: the name after the code is taken from the name list, which holds
        // the name the sim has now.
        const size_t dash = label.find(kCodeNameSeparator);
        const std::string name = current_name(record);
        if (dash == std::string::npos || name.empty()) return label;
        return label.substr(0, dash + kCodeNameSeparator.size()) + name;
    }
    return file_name;
}

SimDisplay msDisplaySim(const std::string& characters_folder, const std::string& neighbourhood,
                        const std::string& file_name) {
    return guarded("frmMain", "msDisplaySim", [&](int32_t&) {
        SimDisplay shown;
        IFFFile record;
        gsInitIFF(record);
        shown.error = read_character_file_checked(record, characters_folder + file_name);
        if (!shown.loaded()) {
            shown.sim_name = "* ERROR * Can not load " + file_name;
            shown.lines = {{"The selected sim file", {0, 48}},
                           {neighbourhood + "\\characters\\" + file_name, {0, 60}},
                           {"can not be loaded. The error returned was:", {0, 72}},
                           {shown.error, {0, 84}}};
            return shown;
        }
        const std::string folder = program_folder();
        const std::string web_image = folder + "\\web_image.bmp";
        const std::string faces = folder + "\\faces.bmp";
        const std::string relimages = folder + "\\relimages.bmp";
        std::vector<BitmapFile> written;
        {
            // The deletes and the dump are one run of changes in the program folder, as when a
            // page is drawn. A missing file is reported by delete_file's result; nothing to do.
            FolderChanges changes(folder);
            changes.delete_file("web_image.bmp");
            changes.delete_file("faces.bmp");
            changes.delete_file("relimages.bmp");
            written = gsDumpBMPs(record, changes);
        }
        shown.pictures = {{web_image, dumped_bytes(written, "web_image.bmp"), {0, 0}},
                          {faces, dumped_bytes(written, "faces.bmp"), {0, 64}},
                          {relimages, dumped_bytes(written, "relimages.bmp"), {0, 128}}};
        shown.sim_name = sim_display_name(record, file_name);
        return shown;
    });
}

std::string file_in_cell(const std::vector<std::string>& files, int32_t page, int32_t cell) {
    if (!cell_has_file(page, cell, files.size())) return "";
    return files[static_cast<size_t>(file_number(page, cell) - 1)];
}

}  // namespace fw
