#include "editor/save_files.hpp"

#include "formats/character_file.hpp"
#include "platform/game_files.hpp"
#include "platform/game_paths.hpp"

namespace fw {

bool SaveFiles::file_exists(const std::string& path) { return fw::file_exists(path); }
bool SaveFiles::folder_exists(const std::string& path) { return fw::folder_exists(path); }
bool SaveFiles::create_folder(const std::string& path) { return fw::create_folder(path); }
bool SaveFiles::delete_file(const std::string& path) { return fw::delete_file(path); }

void SaveFiles::write_without_bitmaps(const IFFFile& image, const std::string& path) {
    gsWriteIFF_NoBMPs(image, path);
}

std::string SaveFiles::read_file(const std::string& path) { return fw::read_file(path); }
void SaveFiles::copy_file(const std::string& from, const std::string& to) { fw::copy_file(from, to); }

void SaveFiles::replace_file(const std::string& target, const std::string& bytes) {
    replace_file_atomically(target, bytes);
}

std::string SaveFiles::listed_name(const std::string& path) {
    return resolve_path(path).filename().string();
}

SaveFiles& platform_save_files() {
    static SaveFiles files;
    return files;
}

}  // namespace fw
