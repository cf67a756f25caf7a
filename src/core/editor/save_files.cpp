#include "core/editor/save_files.hpp"

#include <filesystem>

#include "core/formats/character_file.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"

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

bool SaveFiles::is_read_only(const std::string& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(resolve_path(path), ec);
    return !ec && std::filesystem::is_regular_file(status) &&
           (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
}

std::string SaveFiles::listed_name(const std::string& path) { return resolve_path(path).filename().string(); }

SaveFiles& platform_save_files() {
    static SaveFiles files;
    return files;
}

}  // namespace fw
