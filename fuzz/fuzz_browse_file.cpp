// One character file as the browser takes it, on arbitrary bytes: the checked read, the name the
// sim display shows, the name chunk and the appearance list with the head skin, the editor's
// reading of the head entry, and the bitmap labels turned into file names. A file that cannot be
// taken apart is a fw::Failure; anything else escaping, or a name that could build a path outside
// its folder, is a finding.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/failure.hpp"
#include "core/screens/sim_cells.hpp"
#include "core/screens/sim_display.hpp"
#include "core/screens/editor_display.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/rsmp.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/name_compare.hpp"
#include "core/sims/appearance.hpp"

constexpr const char* kFileName = "User00001.iff";

// What a bitmap's label may keep once made a file name.
constexpr const char* kFileNameCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fw::IFFFile record;
    if (!fw::read_iff_checked_from_bytes(record, bytes).empty()) return 0;

    // The display name is the file name or a "user" label cut at its NUL (its name part the one the
    // name list holds now), never with a NUL in it.
    const std::string name = fw::sim_display_name(record, kFileName);
    if (name != kFileName &&
        (name.find('\0') != std::string::npos || fw::to_lower(name.substr(0, 4)) != "user"))
        __builtin_trap();

    for (const fw::IFFChunk& chunk : record.chunks) {
        if (chunk.type == "BMP_") {
            const std::string file = fw::gfstrSafeFileName(fw::gfstrStripNull(chunk.label));
            if (file.find_first_not_of(kFileNameCharacters) != std::string::npos ||
                (!file.empty() && !fw::is_safe_file_name(file)))
                __builtin_trap();
        }
        if (chunk.type == "CTSS") {
            try {
                (void)fw::name_chunk_text(chunk);
            } catch (const fw::Failure&) {
                // a name without its NUL: the cell shows the reader's error
            }
        }
    }

    fw::STRList appearance;
    try {
        appearance = fw::appearance_list(record);
    } catch (const fw::Failure&) {
        return 0;
    }
    if (appearance.item_count() < fw::entry::head) return 0;
    const std::string& head_entry = appearance.item(fw::entry::head).value;
    const std::string skin = fw::head_skin(head_entry);
    if (skin.find(';') != std::string::npos) __builtin_trap();
    // Only a safe skin name builds a path.
    if (fw::skin_bitmap_path("C:\\Game", skin).empty() == fw::is_safe_file_name(skin)) __builtin_trap();
    if (const std::optional<fw::Head> head = fw::split_head(head_entry)) {
        if (head->model.find(',') != std::string::npos || head->skin != skin) __builtin_trap();
    }
    return 0;
}
