#include "core/game/neighbourhoods.hpp"

#include <algorithm>

#include "core/base/error_trap.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

namespace {

constexpr size_t kUserDataLength = 8;  // "UserData"

bool all_digits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A number written with at least two digits: "2" gives "02", "007" gives "07", "123" stays.
std::string two_digit_number(const std::string& digits) {
    const size_t first = digits.find_first_not_of('0');
    std::string number = first == std::string::npos ? "0" : digits.substr(first);
    if (number.size() < 2) number.insert(0, 2 - number.size(), '0');
    return number;
}

}  // namespace

std::vector<std::string> msGetUserDataDirs(const Game& game) {
    // No game has no saves folder: its empty path would be the file system's root.
    if (!game.known()) return {};
    return guarded("frmMain", "msGetUserDataDirs", [&](int32_t&) {
        return list_matching(game.neighbourhoods_root() + "\\Userdata*", Listing::FilesAndFolders);
    });
}

std::string neighbourhood_line(const std::string& folder) {
    if (folder.size() == kUserDataLength) return "Neighborhood 01   (" + folder + ")";
    const std::string part = folder.size() > kUserDataLength ? folder.substr(kUserDataLength) : "";
    return "Neighborhood " + (all_digits(part) ? two_digit_number(part) : part) + "   (" + folder + ")";
}

std::vector<std::string> msFillUserDataList(const std::vector<std::string>& folders) {
    std::vector<std::string> lines;
    lines.reserve(folders.size());
    for (const std::string& folder : folders) lines.push_back(neighbourhood_line(folder));
    std::stable_sort(lines.begin(), lines.end(), iless);
    return lines;
}

std::string neighbourhood_folder(const std::string& line) {
    const std::string marker = "(userdata";
    const std::string lower = to_lower(line);
    const size_t at = lower.find(marker);
    if (at == std::string::npos) return "";
    const size_t start = at + 1;
    const size_t close = line.find(')', start);
    return line.substr(start, close == std::string::npos ? std::string::npos : close - start);
}

std::string characters_folder(const Game& game, const std::string& neighbourhood) {
    return game.neighbourhoods_root() + "\\" + neighbourhood + "\\characters\\";
}

std::vector<std::string> msGetFileNames(const Game& game, const std::string& neighbourhood) {
    return guarded("frmMain", "msGetFileNames", [&](int32_t&) {
        const std::string folder = characters_folder(game, neighbourhood);
        // A save killed halfway left its new file beside the sim's; nothing will ever finish it.
        remove_stale_replacements(folder);
        return list_matching(folder + "user*.iff", Listing::FilesOnly);
    });
}

}  // namespace fw
