#include "core/sims/bitmap_dump.hpp"

#include "core/base/error_trap.hpp"
#include "core/formats/rsmp.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/program_folder.hpp"

namespace fw {

void gsDumpBMPs(const IFFFile& file) {
    FolderChanges folder(program_folder());
    gsDumpBMPs(file, folder);
}

void gsDumpBMPs(const IFFFile& file, FolderChanges& folder) {
    guarded("modIFFsupport", "gsDumpBMPs", [&](int32_t&) {
        for (const BitmapFile& bitmap : bitmap_files(file)) folder.write_file(bitmap.name, bitmap.data);
    });
}

}  // namespace fw
