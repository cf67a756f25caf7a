#include "support/wine_prefix.hpp"

#include <fstream>

namespace fw::build {

void write_wine_registry(const std::filesystem::path& prefix, const std::string& install_path, bool win64) {
    std::string escaped;
    for (const char c : install_path) {
        if (c == '\\' || c == '"') escaped += '\\';
        escaped += c;
    }
    std::filesystem::create_directories(prefix / "drive_c");
    std::ofstream(prefix / "system.reg", std::ios::binary)
        << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
        << (win64 ? "#arch=win64\n\n[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1700000000\n"
                  : "#arch=win32\n\n[Software\\\\Maxis\\\\The Sims] 1700000000\n")
        << "\"InstallPath\"=\"" << escaped << "\"\n";
}

std::filesystem::path write_game_in_prefix(const std::filesystem::path& prefix,
                                           const std::string& below_drive_c) {
    const std::filesystem::path folder = prefix / "drive_c" / below_drive_c;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Sims.exe", std::ios::binary);
    return folder;
}

}  // namespace fw::build
