#include "core/sims/bitmap_dump.hpp"

#include "core/base/error_trap.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/program_folder.hpp"

namespace fw {

std::vector<BitmapFile> gsDumpBMPs(const IFFFile& file) {
    FolderChanges folder(program_folder());
    return gsDumpBMPs(file, folder);
}

std::vector<BitmapFile> gsDumpBMPs(const IFFFile& file, FolderChanges& folder) {
    return guarded("modIFFsupport", "gsDumpBMPs", [&](int32_t&) {
        std::vector<BitmapFile> written = bitmap_files(file);
        for (const BitmapFile& bitmap : written) folder.write_file(bitmap.name, bitmap.data);
        return written;
    });
}

std::string dumped_bytes(const std::vector<BitmapFile>& written, const std::string& name) {
    for (auto it = written.rbegin(); it != written.rend(); ++it) {
        if (iequals(it->name, name)) return it->data;
    }
    return "";
}

Portraits sim_portraits(const IFFFile& image) {
    const std::vector<BitmapFile> bitmaps = bitmap_files(image);
    return {dumped_bytes(bitmaps, "web_image.BMP"), dumped_bytes(bitmaps, "faces.BMP"),
            dumped_bytes(bitmaps, "relimages.BMP")};
}

}  // namespace fw
