#include "core/sims/save_files.hpp"

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
    // The save reports a failed write itself, so it is not written through the trapping writer.
    write_file(path, iff_bytes_without_bitmaps(image));
}

std::string SaveFiles::read_file(const std::string& path) { return fw::read_file(path); }
FileStamp SaveFiles::file_stamp(const std::string& path) { return fw::file_stamp(path); }

namespace {
// The folder a path lies in, as a game path.
std::string folder_of(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}
}  // namespace

void SaveFiles::write_new_file(const std::string& path, const std::string& bytes) {
    remove_stale_replacements(folder_of(path));
    create_file_atomically(path, bytes);
}

void SaveFiles::replace_file(const std::string& target, const std::string& bytes) {
    // Whatever killed saves left beside the folder's sims goes before this one writes its own.
    remove_stale_replacements(folder_of(target));
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
