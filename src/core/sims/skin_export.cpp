#include "core/sims/skin_export.hpp"

#include <exception>

#include "core/base/error_trap.hpp"
#include "core/sims/appearance.hpp"
#include "core/formats/character_file.hpp"
#include "core/formats/iff.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"

namespace fw {

namespace {

struct ExportLine {
    std::string name;
    std::string head;
    std::string body;
};

// The export's fields of a record that was read; fails when they cannot be taken apart.
ExportLine export_fields(const IFFFile& record) {
    ExportLine line;
    for (const IFFChunk& chunk : record.chunks) {
        if (chunk.type == "CTSS") line.name = name_chunk_text(chunk);
    }
    const STRList appearance = appearance_list(record);
    line.body = appearance_value(appearance, 2);
    line.head = appearance_value(appearance, 3);
    return line;
}

}  // namespace

SkinExport skin_export_lines(const std::string& characters_folder, const std::vector<std::string>& files) {
    SkinExport result;
    IFFFile record;
    for (const std::string& file : files) {
        gsInitIFF(record);
        if (!read_character_file_checked(record, characters_folder + file).empty()) continue;
        ExportLine line;
        try {
            line = export_fields(record);
        } catch (const std::exception&) {
            continue;  // one malformed sim leaves the rest of the neighbourhood's lines intact
        }
        result.bodyskins += file + ";" + line.name + ";" + line.body + kCrLf;
        result.headskins += file + ";" + line.name + ";" + line.head + kCrLf;
    }
    return result;
}

std::optional<BoxMessage> export_skin_names(const std::string& characters_folder,
                                            const std::vector<std::string>& files) {
    if (files.empty()) return std::nullopt;
    return guarded("frmMain", "smenuExport_Click", [&](int32_t&) {
        const SkinExport lines = skin_export_lines(characters_folder, files);
        const std::string folder = program_folder();
        write_file(folder + "\\headskins.txt", lines.headskins);
        write_file(folder + "\\bodyskins.txt", lines.bodyskins);
        const std::string text = std::string("Exported:") + kCrLf + display_path(folder + "\\headskins.txt") +
                                 kCrLf + display_path(folder + "\\bodyskins.txt");
        return BoxMessage{text, kBoxInformation, "Export Complete"};
    });
}

}  // namespace fw
